#include <gtest/gtest.h>

#include <cstring>

#include "platform/com/com.h"

namespace {

TEST(GuidTest, BracedFormParsesInEitherCaseAndFormatsInUpperCase) {
  constexpr GUID kPlayer = qcom::Guid("{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8}");
  EXPECT_EQ(kPlayer.Data1, 0x18E6ED0Du);
  EXPECT_EQ(kPlayer.Data2, 0x08D1);
  EXPECT_EQ(kPlayer.Data3, 0x4ED5);
  EXPECT_EQ(kPlayer.Data4[0], 0x87);
  EXPECT_EQ(kPlayer.Data4[7], 0xD8);
  EXPECT_EQ(qcom::ParseGuid("{18e6ed0d-08d1-4ed5-8771-e72b4e6effd8}"), kPlayer);
  EXPECT_EQ(qcom::FormatGuid(kPlayer), "{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8}");
  EXPECT_EQ(qcom::FormatGuid(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidTest, AnythingButTheBracedFormIsRefused) {
  for (const char* text : {
           "",
           "18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8",
           "{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8",
           " {18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8}",
           "{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8} ",
           "{18E6ED0D08D1-4ED5-8771-E72B4E6EFFD8-}",
           "{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFDG}",
           "{18E6ED0D-08D1-4ED5-8771_E72B4E6EFFD8}",
           "(18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8)",
       })
    EXPECT_FALSE(qcom::ParseGuid(text)) << text;
}

TEST(ErrorTextTest, FailureCodesReadAsTheSystemWritesThem) {
  struct Case {
    HRESULT hr;
    const char* text;
  } cases[] = {
      {REGDB_E_CLASSNOTREG, "Class not registered"},
      {E_NOINTERFACE, "No such interface supported"},
      {DISP_E_MEMBERNOTFOUND, "Member not found."},
      {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
      {DISP_E_TYPEMISMATCH, "Type mismatch."},
      {CLASS_E_NOAGGREGATION, "Class does not support aggregation (or class object is remote)"},
      {HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), "The specified module could not be found."},
      {E_FAIL, "Unspecified error"},
      {HRESULT(0x8004ABCDu), "Unspecified error (0x8004ABCD)"},
  };
  for (const Case& c : cases) EXPECT_EQ(qcom::ErrorText(c.hr), c.text);
  EXPECT_STREQ(qcom::ComError(REGDB_E_CLASSNOTREG).what(), "Class not registered");
  EXPECT_STREQ(qcom::ComError(E_FAIL, "Own words").what(), "Own words");
}

TEST(BstrTest, LengthComesFromThePrefixAndTextSurvivesTheRoundTrip) {
  const OLECHAR withZero[] = {u'a', 0, u'b'};
  qcom::Bstr b = qcom::Bstr::Attach(SysAllocStringLen(withZero, 3));
  EXPECT_EQ(b.length(), 3u);
  std::uint32_t prefix = 0;
  std::memcpy(&prefix, reinterpret_cast<const char*>(b.get()) - 4, 4);
  EXPECT_EQ(prefix, 6u);
  EXPECT_EQ(b.get()[3], 0) << "a BSTR is also 0-terminated";

  const std::string text = "Grüße aus Köln \xE2\x9C\x93";
  qcom::Bstr wide(text);
  EXPECT_EQ(wide.length(), 16u) << "UTF-16 code units, not bytes";
  EXPECT_EQ(wide.text(), text);
  EXPECT_EQ(qcom::TextFromBstr(nullptr), "");
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);

  qcom::Bstr copy = wide;
  EXPECT_NE(copy.get(), wide.get()) << "a copy owns its own text";
  EXPECT_EQ(copy.text(), text);
}

TEST(VariantTest, ReadersTakeTheIntegerFormsAndRefuseTheRest) {
  SHORT key = 13;
  struct Case {
    qcom::Variant v;
    HRESULT asLong;
    LONG value;
  } cases[] = {
      {qcom::Variant::I2(-7), S_OK, -7},
      {qcom::Variant::I4(100000), S_OK, 100000},
      {qcom::Variant::Bool(true), S_OK, VARIANT_TRUE},
      {qcom::Variant::RefI2(&key), S_OK, 13},
      {qcom::Variant::Text("5"), DISP_E_TYPEMISMATCH, 0},
      {qcom::Variant(), DISP_E_TYPEMISMATCH, 0},
  };
  for (const Case& c : cases) {
    LONG n = 0;
    EXPECT_EQ(qcom::VariantToLong(c.v.raw(), &n), c.asLong) << c.v.vt();
    if (SUCCEEDED(c.asLong)) {
      EXPECT_EQ(n, c.value);
    }
  }
  EXPECT_EQ(qcom::Variant::Bool(true).raw().boolVal, -1);
  EXPECT_EQ(qcom::Variant().ToText(), "") << "an empty value reads as an empty text";
  EXPECT_THROW(qcom::Variant::I4(1).ToText(), qcom::ComError);
}

TEST(VariantTest, CopiesOwnTheirTextAndReferences) {
  qcom::Variant text = qcom::Variant::Text("news");
  qcom::Variant copy = text;
  EXPECT_NE(copy.raw().bstrVal, text.raw().bstrVal);
  text = qcom::Variant::I4(1);
  EXPECT_EQ(copy.ToText(), "news");

  auto stream = qcom::Make<qcom::MemoryStream>();
  {
    qcom::Variant held = qcom::Variant::Unknown(stream.get());
    qcom::Variant again = held;
    EXPECT_EQ(stream->AddRef(), 4u) << "ours, two variants' and this one";
    stream->Release();
  }
  EXPECT_EQ(stream->AddRef(), 2u);
  stream->Release();
}

TEST(StreamTest, StoredStateKeepsOrderAndAwkwardValues) {
  const qcom::PropertyList state = {
      {"Caption", "FormPlayer"}, {"Lines", "one\ntwo"}, {"Path", "C:\\x\\n"}, {"Empty", ""}};
  auto stream = qcom::Make<qcom::MemoryStream>(qcom::PropertyText(state));
  qcom::PropertyList back;
  ASSERT_EQ(qcom::ReadProperties(stream.get(), &back), S_OK);
  EXPECT_EQ(back, state);
}

}  // namespace
