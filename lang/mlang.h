#pragma once
// TMLang: the language component of a window. It looks messages up in the window's
// defaults (StrList) and in the language file, an INI file with one section per
// window class, and fills the file with every key it lacks, so a translator only edits
// values. DoUpdateLangRes translates the window in one pass (lang/translation.h) and
// rewrites StrList with the translations.
#include <QObject>
#include <optional>
#include <string>
#include <vector>

class TMLang : public QObject {
  Q_OBJECT

 public:
  using Names = std::vector<std::string>;

  // The owner must be a window, a frame or a data module, else "Owner Error!".
  // A window is a top-level QWidget; a frame a plain QFrame container; a data module a
  // QObject that is no widget.
  explicit TMLang(QObject* owner);
  ~TMLang() override;

  // The name last written, not the resolved path. Writing opens the file (a relative
  // name resolves against the executable's folder, whose missing folders are made)
  // and requests a pass.
  const std::string& LangFileName() const { return langFileName_; }
  void SetLangFileName(const std::string& name);
  // The resolved path of the open file; "" while none is open.
  std::string FilePath() const { return filePath_.value_or(std::string()); }

  bool IgnoreEmptyString() const { return ignoreEmptyString_; }
  void SetIgnoreEmptyString(bool v);
  bool AutoCreateMode() const { return autoCreateMode_; }
  void SetAutoCreateMode(bool v);
  bool AddBracket() const { return addBracket_; }
  void SetAddBracket(bool v) { addBracket_ = v; }

  // The window's messages, "key=default text" a line; after a pass their translations.
  const Names& StrList() const { return strList_; }
  void SetStrList(const Names& lines);

  const Names& StringProperties() const { return stringProperties_; }
  void SetStringProperties(const Names& v);
  const Names& StringsProperties() const { return stringsProperties_; }
  void SetStringsProperties(const Names& v);
  const Names& IgnoreControls() const { return ignoreControls_; }
  void SetIgnoreControls(const Names& v);
  const Names& SaveFontSizeCtrls() const { return saveFontSizeCtrls_; }
  void SetSaveFontSizeCtrls(const Names& v);
  bool IgnoreFormCaption() const { return ignoreFormCaption_; }
  void SetIgnoreFormCaption(bool v);
  bool IncludeListViewItems() const { return includeListViewItems_; }
  void SetIncludeListViewItems(bool v);
  bool IncludeListViewHead() const { return includeListViewHead_; }
  void SetIncludeListViewHead(bool v);
  bool IncludeTreeViewItems() const { return includeTreeViewItems_; }
  void SetIncludeTreeViewItems(bool v);
  bool ActiveNow() const { return activeNow_; }
  void SetActiveNow(bool v);

  // Message lookup: StrList, then the file (filling it), then the key itself; "\n"
  // comes out as a line break.
  std::string GetResString(const std::string& key);
  // The key from the named section of the file only.
  std::string GetResString(const std::string& key, const std::string& section);
  // Line index of StrList after its first "=".
  std::string GetResString(int index) const;
  void AddResString(const std::string& key, const std::string& text);
  // Erases a section of the file; failures are ignored.
  void UnRegister(const std::string& section);

  // Runs a pass when active.
  void UpdateLangRes();
  // The pass: the window and its components, then StrList under the busy flag.
  void DoUpdateLangRes();

  // The key rule in the owner's section: the file's value for key (brackets
  // stripped), or "" after filling the key with current when the file lacks it.
  // Throws "Unable to write to %s" when the file refuses the fill.
  std::string KeyRule(const std::string& key, const std::string& current);
  // The key's value in the owner's section, brackets stripped; "" when absent.
  std::string ReadValue(const std::string& key) const;
  // The key's integer value in the owner's section; missing when absent or no number.
  std::optional<int> ReadInt(const std::string& key) const;
  // Writes a value in the owner's section (brackets with AddBracket when asked).
  void WriteValue(const std::string& key, const std::string& value, bool bracket);

  // The owner's section: its class name.
  std::string Section() const;
  QObject* Owner() const { return owner_; }
  bool OwnerIsVisual() const;
  bool Busy() const { return busy_; }

  // A value as read: one surrounding "<" ">" pair removed.
  static std::string StripBrackets(const std::string& v);
  // A message as returned: each backslash-n becomes CR LF in place.
  static std::string MessageText(std::string v);

 private:
  std::string ReadRaw(const std::string& section, const std::string& key) const;

  QObject* owner_;
  std::string langFileName_ = "English.ini";
  std::optional<std::string> filePath_;
  bool ignoreEmptyString_ = false;
  bool autoCreateMode_ = true;
  bool addBracket_ = false;
  Names strList_;
  Names stringProperties_{"Caption"};
  Names stringsProperties_{"Tabs", "Items"};
  Names ignoreControls_;
  Names saveFontSizeCtrls_;
  bool ignoreFormCaption_ = false;
  bool includeListViewItems_ = false;
  bool includeListViewHead_ = false;
  bool includeTreeViewItems_ = false;
  bool activeNow_ = false;
  bool busy_ = false;
};
