#include <gtest/gtest.h>

#include "tests/com/com_fixture.h"

namespace {

class DispatchTest : public ComTest {
 protected:
  void SetUp() override {
    ComTest::SetUp();
    RegisterPlayer();
    player_ = CreatePlayer();
    ASSERT_TRUE(player_);
    disp_ = player_.get();
  }
  void TearDown() override {
    player_.reset();
    ComTest::TearDown();
  }
  qcom::ComPtr<ITestPlayer> player_;
  IDispatch* disp_ = nullptr;
};

TEST_F(DispatchTest, PropertiesByDispidMeetTheVtable) {
  ASSERT_EQ(qcom::PutProperty(disp_, kDispTotal, qcom::Variant::I4(41)), S_OK);
  LONG total = 0;
  player_->get_Total(&total);
  EXPECT_EQ(total, 41);
  player_->put_Total(7);
  qcom::Variant v;
  ASSERT_EQ(qcom::GetProperty(disp_, kDispTotal, &v), S_OK);
  EXPECT_EQ(v.vt(), VT_I4);
  EXPECT_EQ(v.ToLong(), 7);

  ASSERT_EQ(qcom::PutProperty(disp_, kDispTitle, qcom::Variant::Text("Köln \xE2\x9C\x93")), S_OK);
  ASSERT_EQ(qcom::GetProperty(disp_, kDispTitle, &v), S_OK);
  EXPECT_EQ(v.vt(), VT_BSTR);
  EXPECT_EQ(v.ToText(), "Köln \xE2\x9C\x93");
  qcom::Bstr title;
  player_->get_Title(title.put());
  EXPECT_EQ(title.text(), "Köln \xE2\x9C\x93");
  // A caller that asks for a method or a property, as script hosts do, gets the property.
  ASSERT_EQ(qcom::Invoke(disp_, kDispTotal, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &v), S_OK);
  EXPECT_EQ(v.ToLong(), 7);
}

TEST_F(DispatchTest, MethodsThroughInvoke) {
  ASSERT_EQ(qcom::Invoke(disp_, kDispAdd, DISPATCH_METHOD, {qcom::Variant::I2(2)}), S_OK);
  ASSERT_EQ(qcom::Invoke(disp_, kDispAdd, DISPATCH_METHOD, {qcom::Variant::I4(3)}), S_OK);
  LONG total = 0;
  player_->get_Total(&total);
  EXPECT_EQ(total, 5);
  qcom::Variant key;
  ASSERT_EQ(qcom::Invoke(disp_, kDispPressKey, DISPATCH_METHOD, {qcom::Variant::I2(65)}, &key), S_OK);
  EXPECT_EQ(key.vt(), VT_I2);
  EXPECT_EQ(key.ToLong(), 65) << "no sink changed the key";
}

TEST_F(DispatchTest, CallsThatDoNotFitFailWithTheirCode) {
  struct Case {
    const char* what;
    DISPID id;
    WORD flags;
    std::vector<qcom::Variant> args;
    HRESULT hr;
    std::string text;
  } cases[] = {
      {"unknown dispid", 99, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND, "Member not found."},
      {"unknown property", 99, DISPATCH_PROPERTYGET, {}, DISP_E_MEMBERNOTFOUND, "Member not found."},
      {"property called as method", kDispTotal, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND, "Member not found."},
      {"put on a method", kDispAdd, DISPATCH_PROPERTYPUT, {qcom::Variant::I4(1)}, DISP_E_MEMBERNOTFOUND,
       "Member not found."},
      {"too few", kDispAdd, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
      {"too many", kDispAdd, DISPATCH_METHOD, {qcom::Variant::I4(1), qcom::Variant::I4(2)}, DISP_E_BADPARAMCOUNT,
       "Invalid number of parameters."},
      {"text for a number", kDispAdd, DISPATCH_METHOD, {qcom::Variant::Text("2")}, DISP_E_TYPEMISMATCH,
       "Type mismatch."},
      {"number for a text", kDispTitle, DISPATCH_PROPERTYPUT, {qcom::Variant::I4(2)}, DISP_E_TYPEMISMATCH,
       "Type mismatch."},
      {"key out of range", kDispPressKey, DISPATCH_METHOD, {qcom::Variant::I4(70000)}, DISP_E_TYPEMISMATCH,
       "Type mismatch."},
      {"member that fails", kDispFail, DISPATCH_METHOD, {}, DISP_E_EXCEPTION, kFailText},
  };
  for (const Case& c : cases) {
    std::string error;
    qcom::Variant result = qcom::Variant::I4(123);
    EXPECT_EQ(qcom::Invoke(disp_, c.id, c.flags, c.args, &result, &error), c.hr) << c.what;
    EXPECT_EQ(error, c.text) << c.what;
    EXPECT_EQ(result.vt(), VT_EMPTY) << c.what << ": a failed call leaves no result";
  }
  LONG total = 0;
  player_->get_Total(&total);
  EXPECT_EQ(total, 0) << "no failed call reached the member";
}

TEST_F(DispatchTest, InvokeReportsTheArgumentAndRefusesNamedArguments) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = SysAllocString(u"x");
  DISPPARAMS params{&arg, nullptr, 1, 0};
  UINT argErr = 99;
  EXCEPINFO excep{};
  EXPECT_EQ(disp_->Invoke(kDispAdd, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &excep, &argErr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  DISPID named = 7;
  DISPPARAMS withName{&arg, &named, 1, 1};
  EXPECT_EQ(disp_->Invoke(kDispAdd, IID_NULL, 0, DISPATCH_METHOD, &withName, nullptr, &excep, &argErr),
            DISP_E_NONAMEDARGS);
  EXPECT_EQ(disp_->Invoke(kDispAdd, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, &excep, &argErr), E_POINTER);
  VariantClear(&arg);
}

TEST_F(DispatchTest, NamesResolveWithoutRegardToCase) {
  EXPECT_EQ(qcom::IdOfName(disp_, "total"), kDispTotal);
  EXPECT_EQ(qcom::IdOfName(disp_, "ADD"), kDispAdd);
  EXPECT_EQ(qcom::IdOfName(disp_, "Nope"), DISPID_UNKNOWN);
  std::u16string add = u"Add", arg = u"n";
  LPOLESTR names[] = {add.data(), arg.data()};
  DISPID ids[2] = {0, 0};
  EXPECT_EQ(disp_->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME) << "argument names are not known";
  EXPECT_EQ(ids[0], kDispAdd);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  UINT count = 9;
  EXPECT_EQ(disp_->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
}

TEST(DispArgsTest, ArgumentsComeInDeclarationOrder) {
  // Invoke's block holds the last argument first.
  qcom::Variant last = qcom::Variant::Text("third"), middle = qcom::Variant::I4(2), first = qcom::Variant::Bool(true);
  VARIANT block[3] = {last.raw(), middle.raw(), first.raw()};
  DISPPARAMS params{block, nullptr, 3, 0};
  qcom::DispArgs args(&params);
  ASSERT_EQ(args.Count(), 3u);
  EXPECT_TRUE(args.Bool(0));
  EXPECT_EQ(args.Long(1), 2);
  EXPECT_EQ(args.Text(2), "third");
  EXPECT_THROW(args.Long(3), qcom::ComError);
  EXPECT_THROW(args.Dispatch(1), qcom::ComError);
}

}  // namespace
