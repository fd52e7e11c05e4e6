// The conversion rule on the examples it was made for, with the two configuration
// values of this build.
#include <string>

#include <gtest/gtest.h>

#include "build_config.h"
#include "convert/constant_texts.h"
#include "convert/share_link.h"
#include "convert/text_memory.h"
#include "convert/text_memory_hooks.h"

namespace {

const std::string H = WDL_SHARE_HOST;
const std::string R = WDL_RELAY_HOST;
const std::string kPrefix = "http://" + R + "/weiyun/down.php?u=";

struct ConversionCase {
  std::string name;
  std::string link;
  std::string extension;
  bool accepted;
  Position marker_pos;
  Position slash_pos;
  int32_t link_length;
  std::string share_key;  // "" = absent
};

std::vector<ConversionCase> conversion_cases() {
  return {
      {"empty link", "", ".mp3", false, -1, 0, 0, ""},
      {"http", "http://" + H + "/abc", ".mp3", true, 8, 24, 27, "abc"},
      {"https", "https://" + H + "/abc", ".mp3", true, 9, 25, 28, "abc"},
      {"no scheme", H + "/abc", ".mp3", true, 1, 17, 20, "abc"},
      {"two leading spaces", "  http://" + H + "/abc", ".mp3", true, 10, 26, 29, "abc"},
      {"three leading spaces", "   http://" + H + "/abc", ".mp3", true, 11, 10, 30, H + "/abc"},
      {"one space, https", " https://" + H + "/abc", ".mp3", true, 10, 26, 29, "abc"},
      {"two spaces, https", "  https://" + H + "/abc", ".mp3", true, 11, 10, 30, H + "/abc"},
      {"slash before the marker", "http://abcdefghi/x/" + H + "/abc", ".mp3", true, 20, 17, 39, "x/" + H + "/abc"},
      {"query, fragment, spaces", "http://" + H + "/abc?x=1#f  ", ".mp3", true, 8, 24, 35, "abc?x=1#f  "},
      {"marker twice", "http://" + H + "/" + H + "/abc", ".mp3", true, 8, 24, 44, H + "/abc"},
      {"nothing after the marker", "http://" + H + "/", ".mp3", true, 8, 24, 24, ""},
      {"capital host", "http://SHARE.WEIYUN.COM/abc", ".mp3", H == "share.weiyun.com" ? false : true, -1, 0, 0, ""},
      {"no closing slash", "http://" + H, ".mp3", false, -1, 0, 0, ""},
      {"longer host ending in the share host", "http://my" + H + "/abc", ".mp3", true, 10, 26, 29, "abc"},
      {"empty extension", "http://" + H + "/abc", "", true, 8, 24, 27, "abc"},
      {"extension without dot", "http://" + H + "/abc", "rar", true, 8, 24, 27, "abc"},
      {"double-byte key", "http://" + H + "/\xD6\xD0\xCE\xC4", ".mp3", true, 8, 24, 28, "\xD6\xD0\xCE\xC4"},
      {"two characters first", "\xB7\xD6\xCF\xED" "http://" + H + "/abc", ".mp3", true, 12, 10, 31,
       "/" + H + "/abc"},
      {"ten bytes of characters first", "\xB7\xD6\xCF\xED\xC1\xB4\xBD\xD3\xA3\xBA" "http://" + H + "/abc", ".mp3",
       true, 18, 16, 37, "/" + H + "/abc"},
  };
}

class Conversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, FollowsTheRule) {
  const ConversionCase& c = GetParam();
  if (c.name == "capital host" && H != "share.weiyun.com") GTEST_SKIP() << "example written for the default host";
  const int64_t live_before = text_memory_live_texts();
  ConversionResult r = build_direct_link(c.link.c_str(), c.extension.c_str());
  EXPECT_EQ(r.accepted, c.accepted);
  EXPECT_EQ(r.marker_pos, c.marker_pos);
  EXPECT_EQ(r.slash_pos, c.slash_pos);
  EXPECT_EQ(r.link_length, c.link_length);
  if (c.share_key.empty()) {
    EXPECT_EQ(r.share_key, nullptr) << "an empty key is absent";
  } else {
    ASSERT_NE(r.share_key, nullptr);
    EXPECT_EQ(std::string(r.share_key), c.share_key);
  }
  if (!c.accepted) {
    EXPECT_EQ(r.direct_link, nullptr);
    EXPECT_EQ(text_memory_live_texts(), live_before) << "a refusal allocates nothing";
  } else {
    ASSERT_NE(r.direct_link, nullptr);
    EXPECT_EQ(std::string(r.direct_link), kPrefix + c.share_key + ".undefined" + c.extension);
  }
  release_text(r.share_key);
  release_text(r.direct_link);
  EXPECT_EQ(text_memory_live_texts(), live_before);
}

INSTANTIATE_TEST_SUITE_P(Examples, Conversion, ::testing::ValuesIn(conversion_cases()),
                         [](const ::testing::TestParamInfo<ConversionCase>& info) {
                           std::string name;
                           for (char ch : info.param.name) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return name;
                         });

TEST(Conversion, AbsentTextsCountAsEmpty) {
  ConversionResult refused = build_direct_link(nullptr, ".mp3");
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.marker_pos, -1);
  std::string link = "http://" + H + "/abc";
  ConversionResult r = build_direct_link(link.c_str(), nullptr);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(std::string(r.direct_link), kPrefix + "abc.undefined");
  release_text(r.share_key);
  release_text(r.direct_link);
}

TEST(Conversion, ExampleWithTheDocumentedLink) {
  std::string link = "http://" + H + "/abc";
  ConversionResult r = build_direct_link(link.c_str(), ".mp3");
  EXPECT_EQ(std::string(r.direct_link), "http://" + R + "/weiyun/down.php?u=abc.undefined.mp3");
  release_text(r.share_key);
  release_text(r.direct_link);
}

TEST(ConstantTexts, HoldTheConfiguredValues) {
  EXPECT_EQ(std::string(kConstantTexts.marker), H + "/");
  EXPECT_EQ(std::string(kConstantTexts.link_prefix), kPrefix);
  EXPECT_STREQ(kConstantTexts.key_separator, ".undefined");
  // The messages are GBK: "地址错误，请检查地址！" is 11 characters of two bytes.
  EXPECT_EQ(std::string(kConstantTexts.refusal), "\xB5\xD8\xD6\xB7\xB4\xED\xCE\xF3\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xB5\xD8\xD6\xB7\xA3\xA1");
  EXPECT_EQ(std::string(kConstantTexts.success).size(), 54u);
}

}  // namespace
