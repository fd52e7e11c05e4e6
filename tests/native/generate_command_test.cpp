// The generate command against fakes of the services it uses: the reads of the
// two boxes, the clipboard and the message box. The fakes record what happens
// and how many owned texts are alive at each step.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "build_config.h"
#include "convert/constant_texts.h"
#include "convert/generate_command.h"
#include "convert/program_state.h"
#include "convert/share_link.h"
#include "convert/text_memory.h"
#include "convert/text_memory_hooks.h"
#include "convert/text_ops.h"
#include "desktop/clipboard.h"
#include "desktop/message_box.h"
#include "ui/content_access.h"
#include "ui/main_window_definition.h"

namespace {

struct Fakes {
  std::string link;
  std::string extension = ".mp3";
  bool clipboard_takes = true;
  std::vector<std::string> log;
  std::vector<int64_t> live_at_link_read;
  std::string clipboard;
  int64_t baseline = 0;
};
Fakes* g_fakes = nullptr;

std::string shown(Text text) { return text == nullptr ? "" : text; }

}  // namespace

OwnedText read_content(ControlId window, ControlId control) {
  EXPECT_EQ(window, kMainWindowId);
  if (control == kEditBox1Id) {
    g_fakes->log.push_back("read link");
    g_fakes->live_at_link_read.push_back(text_memory_live_texts() - g_fakes->baseline);
    return copy_text(g_fakes->link.c_str());
  }
  EXPECT_EQ(control, kEditBox2Id);
  g_fakes->log.push_back("read extension");
  return copy_text(g_fakes->extension.c_str());
}

bool put_clipboard_text(Text text) {
  g_fakes->log.push_back("clipboard");
  if (g_fakes->clipboard_takes) g_fakes->clipboard = shown(text);
  return g_fakes->clipboard_takes;
}

int32_t show_message(const MessageValue& message, int32_t value, std::optional<Text> caption, MessageOwner owner) {
  EXPECT_EQ(message.kind, MessageValue::Kind::text);
  EXPECT_FALSE(caption.has_value()) << "caption omitted";
  EXPECT_EQ(owner.kind, MessageOwner::Kind::omitted) << "owner omitted";
  const std::string text = shown(message.text);
  std::string which = text == kConstantTexts.refusal   ? "refusal"
                      : text == kConstantTexts.success ? "success"
                      : text == kConstantTexts.copy_failed ? "copy failed"
                                                           : "other: " + text;
  g_fakes->log.push_back("box " + which + " " + std::to_string(value) + " marker " + std::to_string(marker_pos));
  return 0;
}

namespace {

const std::string H = WDL_SHARE_HOST;
const std::string kPrefix = "http://" WDL_RELAY_HOST "/weiyun/down.php?u=";

class GenerateCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    g_fakes = &fakes_;
    release_globals();
    marker_pos = slash_pos = link_length = 0;
    fakes_.baseline = text_memory_live_texts();
  }
  void TearDown() override {
    release_globals();
    EXPECT_EQ(text_memory_live_texts(), fakes_.baseline) << "nothing left once the exit routine has run";
    g_fakes = nullptr;
  }
  int64_t live() const { return text_memory_live_texts() - fakes_.baseline; }
  Fakes fakes_;
};

TEST_F(GenerateCommand, AnAcceptedClickReadsFourTimesThenOnceAndReports) {
  fakes_.link = "http://" + H + "/abc";
  generate_direct_link();
  EXPECT_EQ(fakes_.log, (std::vector<std::string>{"read link", "read link", "read link", "read link",
                                                  "read extension", "clipboard", "box success 0 marker 8"}));
  // Each read's text was released before the next read: no copy of the link
  // is alive when the next one is made.
  EXPECT_EQ(fakes_.live_at_link_read, (std::vector<int64_t>{0, 0, 0, 0}));
  EXPECT_EQ(marker_pos, 8);
  EXPECT_EQ(slash_pos, 24);
  EXPECT_EQ(link_length, 27);
  EXPECT_STREQ(share_key, "abc");
  EXPECT_EQ(std::string(direct_link), kPrefix + "abc.undefined.mp3");
  EXPECT_EQ(fakes_.clipboard, std::string(direct_link));
  EXPECT_EQ(live(), 2) << "only the two program-wide texts";
}

TEST_F(GenerateCommand, ARefusedClickChangesOnlyTheMarkerPosition) {
  fakes_.link = "http://" + H + "/abc";
  generate_direct_link();
  const char* key = share_key;
  const char* link = direct_link;
  const std::string copied = fakes_.clipboard;
  fakes_.log.clear();
  for (const std::string& refused : {std::string(""), std::string("http://example.com/x"), "http://" + H}) {
    fakes_.link = refused;
    generate_direct_link();
    EXPECT_EQ(fakes_.log.back(), "box refusal 16 marker -1") << "marker_pos is stored before it is tested";
    EXPECT_EQ(marker_pos, -1);
    EXPECT_EQ(slash_pos, 24);
    EXPECT_EQ(link_length, 27);
    EXPECT_EQ(share_key, key) << "the same text, untouched";
    EXPECT_EQ(direct_link, link);
    EXPECT_EQ(fakes_.clipboard, copied) << "the clipboard is not touched";
    EXPECT_EQ(live(), 2);
  }
  EXPECT_EQ(std::count(fakes_.log.begin(), fakes_.log.end(), "read link"), 3) << "one read per refused click";
  EXPECT_EQ(std::count(fakes_.log.begin(), fakes_.log.end(), "clipboard"), 0);
}

TEST_F(GenerateCommand, TwoAcceptedClicksReplaceTheTexts) {
  fakes_.link = "https://" + H + "/first";
  generate_direct_link();
  fakes_.link = "https://" + H + "/first";
  fakes_.log.clear();
  generate_direct_link();
  EXPECT_EQ(std::string(share_key), "first");
  EXPECT_EQ(std::count(fakes_.log.begin(), fakes_.log.end(), "clipboard"), 1) << "written again";
  EXPECT_EQ(live(), 2) << "the first click's texts were released";
  EXPECT_EQ(fakes_.live_at_link_read, (std::vector<int64_t>{0, 0, 0, 0, 2, 2, 2, 2}));
  fakes_.link = H + "/";
  fakes_.extension = "";
  generate_direct_link();
  EXPECT_EQ(share_key, nullptr) << "an empty key is absent";
  EXPECT_EQ(std::string(direct_link), kPrefix + ".undefined");
  EXPECT_EQ(live(), 1);
}

TEST_F(GenerateCommand, AClipboardThatDoesNotTakeTheLinkIsReportedAsAFailure) {
  fakes_.link = "http://" + H + "/abc";
  fakes_.clipboard_takes = false;
  generate_direct_link();
  EXPECT_EQ(fakes_.log.back(), "box copy failed 16 marker 8") << "no success box for a link never copied";
  EXPECT_EQ(std::string(direct_link), kPrefix + "abc.undefined.mp3") << "the variables hold the new link";
}

TEST_F(GenerateCommand, TheConvertedValuesAreThoseOfTheConversion) {
  const std::string links[] = {"   http://" + H + "/abc", "\xB7\xD6\xCF\xED\xC1\xB4\xBD\xD3\xA3\xBA" "http://" + H + "/abc",
                               "http://abcdefghi/x/" + H + "/abc", "http://" + H + "/\xD6\xD0\xCE\xC4 ?#"};
  for (const std::string& text : links) {
    fakes_.link = text;
    generate_direct_link();
    ConversionResult expected = build_direct_link(text.c_str(), ".mp3");
    EXPECT_EQ(marker_pos, expected.marker_pos) << text;
    EXPECT_EQ(slash_pos, expected.slash_pos) << text;
    EXPECT_EQ(link_length, expected.link_length) << text;
    EXPECT_EQ(shown(share_key), shown(expected.share_key)) << text;
    EXPECT_EQ(shown(direct_link), shown(expected.direct_link)) << text;
    release_text(expected.share_key);
    release_text(expected.direct_link);
  }
}

}  // namespace
