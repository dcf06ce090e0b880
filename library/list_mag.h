#pragma once
// One channel list file in memory: its records in file order, its header line and,
// for a grouped list, the sorted group names the tree is built from.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/tv_item.h"

// The byte transforms of the list file format, in place.
void ScrambleBuffer(unsigned char* buf, size_t len);
void UnscrambleBuffer(unsigned char* buf, size_t len);

// The nine columns of a record as texts; trimmed as the writer writes them, or as
// they are in memory.
std::vector<std::string> RecordFields(const tagTV_ITEM& item, bool trimmed);

class ListMag {
 public:
  ListMag();
  ~ListMag();
  ListMag(const ListMag&) = delete;
  ListMag& operator=(const ListMag&) = delete;

  // Replaces the content with the file's records. A missing file is an empty list.
  bool Load(const std::string& fileName);
  // The parsing half of Load: replaces the content with the records of the bytes as a
  // list file stores them.
  void LoadFromBytes(std::string bytes);
  // Writes header and records, scrambled, through a sibling file renamed over the list
  // file. Throws "Cannot create file %s" when the ".tmp" file cannot be made; false on
  // the silent failures: a read-only list file, a full disk, no room for the sibling.
  bool Save(const std::string& fileName = "");
  void Release();
  void Clear();
  // Exchanges the whole content, file name and settings with other.
  void Swap(ListMag& other) noexcept;
  // Appends a copy unless a record with the same location (without regard to case) is
  // present; the stored copy, or null.
  tagTV_ITEM* Add(const tagTV_ITEM& item);
  // Add, taking the record itself rather than a copy (item is left as it was when
  // it is not taken).
  tagTV_ITEM* Add(tagTV_ITEM&& item);
  // Makes room for that many more records, so a large merge does not regrow the
  // list and its location index record by record.
  void Reserve(size_t more);
  // Makes the group list anew from the records, as Load makes it: for a list that has
  // taken records through Add.
  void RebuildGroups();
  // Takes out the first record with exactly the same name and location. The record is
  // kept alive until the list is released, since rows may still point at it.
  void Remove(const tagTV_ITEM& item);
  void Reset();
  tagTV_ITEM* Next();
  int Count() const;
  // Appends copies of the records whose name or strText7 holds text, without regard to
  // case, to dest; dest's count.
  int Search(const std::string& text, ListMag* dest) const;

  bool HasItems() const { return pItems != nullptr; }
  tagTV_ITEM* Item(int index) const;
  const std::vector<std::string>& Groups() const { return pGroups; }

  std::string strFileName;
  int nCursor = -1;
  std::string strHeader;
  bool bScramble = true;
  int nGroupMode = 0;  // -1: no groups; 0: grouped by strCountry

 private:
  void InsertGroup(const std::string& key);
  void BuildLocationIndex();
  void ParseText(std::string_view text);

  std::unique_ptr<std::vector<std::unique_ptr<tagTV_ITEM>>> pItems;
  std::vector<std::string> pGroups;
  // Records taken out by Remove, alive until Release.
  std::vector<std::unique_ptr<tagTV_ITEM>> detached_;
  // Case-folded location -> how many records hold it; built on the first Add.
  std::unordered_map<std::string, int> locations_;
  bool locationsBuilt_ = false;
  // Country spellings already put through group insertion during a load.
  std::unordered_map<std::string, bool> seenCountries_;
};
