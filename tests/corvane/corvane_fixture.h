#pragma once
// The real corvane.so, registered into a scratch registry and created by class id as
// a host creates it, with the events it raises recorded in order.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "player/corvane/corvane_tlb.h"
#include "tests/support/test_dir.h"

using Lines = std::vector<std::string>;

// One event as a line: its dispid, then its arguments ("9 3 Open the media ...").
std::string Describe(DISPID id, const qcom::DispArgs& args);

// A sink of IFormPlayerEvents that records what it hears; it answers OnKeyPress
// with keyReply unless that is -1.
class RecordingSink : public qcom::Object<IDispatch> {
 public:
  HRESULT GetTypeInfoCount(UINT* n) override;
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

  Lines heard;
  int keyReply = -1;

 protected:
  void* QueryMore(REFIID iid) override;
};

class CorvaneTest : public ScratchTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Calls one entry point of corvane.so the way regsvr does.
  static HRESULT CallEntry(const char* entry);

  // A control bound and activated inside window, as the program's host does it.
  void Host(const qcom::PropertyList& state = {});
  // A part of the control's form by its name; its published Caption.
  QObject* Part(const char* name) const;
  std::string Caption(const char* name) const;

  std::unique_ptr<QWidget> window;
  std::unique_ptr<qcom::ControlHost> host;
  qcom::ComPtr<IFormPlayer> player;
  Lines heard;
  // What the host's handler leaves in OnKeyPress's key; -1 leaves it alone.
  int keyReply = -1;
};
