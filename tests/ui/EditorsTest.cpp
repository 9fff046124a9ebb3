#include <QApplication>
#include <QTimer>

#include "editors/EditorsService.h"
#include "editors/GetDateTimeUnit.h"
#include "editors/GetSkipPeriodUnit.h"
#include "editors/GetTextUnit.h"
#include "feed/RSSUtils.h"
#include "ui/UiFixture.h"

namespace quillcast {
namespace {

using testing::ReadFile;
using testing::ScriptedPrompts;
using testing::TempDir;

class EditorsTest : public ::testing::Test {
 protected:
  std::string SettingsFile() const { return dir_.File("quillcast.ini"); }

  TempDir dir_;
  ScriptedPrompts prompts_;
};

TEST_F(EditorsTest, TextDialogReturnsCrLfLinesOnlyOnOk) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {{"", ""}, {"one\ntwo", "one\r\ntwo"}, {"a\r\nb\rc", "a\r\nb\r\nc"}};
  for (const auto& c : cases) {
    TGetTextForm form(SettingsFile(), prompts_, nullptr);
    form.SetText(c.in);
    form.ok_button()->click();
    EXPECT_TRUE(form.Accepted());
    EXPECT_EQ(form.Text(), c.out);
  }
  TGetTextForm cancelled(SettingsFile(), prompts_, nullptr);
  cancelled.SetText("kept");
  cancelled.memo()->setPlainText("edited");
  cancelled.cancel_button()->click();
  EXPECT_FALSE(cancelled.Accepted());
}

TEST_F(EditorsTest, WordWrapIsRememberedEvenAfterCancel) {
  {
    TGetTextForm form(SettingsFile(), prompts_, nullptr);
    EXPECT_TRUE(form.WordWrap()) << "wraps by default";
    form.word_wrap_box()->click();
    EXPECT_FALSE(form.WordWrap());
    EXPECT_EQ(form.memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    form.cancel_button()->click();
  }
  TGetTextForm next(SettingsFile(), prompts_, nullptr);
  EXPECT_FALSE(next.WordWrap());
  EXPECT_FALSE(next.word_wrap_box()->isChecked());
}

TEST_F(EditorsTest, HtmlButtonWritesThePreviewFileFromTheBoxLines) {
  AppPaths paths{dir_.path(), dir_.path()};
  EditorsService editors(paths, prompts_);
  QStringList shown;
  TGetTextForm form(SettingsFile(), prompts_, [&](const QStringList& lines) {
    editors.ShowHTML(lines);
    shown = lines;
  });
  form.SetWordWrap(true);
  form.SetText("<p>first</p>\n<p>second line that is long enough to wrap in a narrow box</p>");
  form.resize(120, 200);
  form.html_button()->click();
  EXPECT_EQ(ReadFile(paths.PreviewFile()),
            "<p>first</p>\r\n<p>second line that is long enough to wrap in a narrow box</p>\r\n");
  form.memo()->setPlainText("");
  form.html_button()->click();
  EXPECT_EQ(ReadFile(paths.PreviewFile()), "\r\n");

  testing::WriteFile(dir_.File("plain"), "x");
  AppPaths broken{dir_.File("plain"), dir_.path()};
  EditorsService failing(broken, prompts_);
  TGetTextForm form2(SettingsFile(), prompts_,
                     [&](const QStringList& lines) { failing.ShowHTML(lines); });
  form2.html_button()->click();
  ASSERT_EQ(prompts_.Errors().size(), 1);
  EXPECT_TRUE(prompts_.Errors()[0].startsWith("error: Cannot create file \"" +
                                              Q(dir_.File("plain/tmp.html")) + "\". "));
  EXPECT_TRUE(form2.isVisible() || !form2.Accepted()) << "the dialog stays open";
}

TEST_F(EditorsTest, DateDialogReadsAndWritesRssDates) {
  testing::ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Mon, 05 Jan 2004 14:03:00 GMT", "Mon, 05 Jan 2004 14:03:00 GMT"},
      {"Fri, 05 Jan 2004 14:03:00 GMT", "Mon, 05 Jan 2004 14:03:00 GMT"},  // weekday corrected
      {"Sat, 05 Jul 2008 23:30:00 GMT", "Sat, 05 Jul 2008 23:30:00 GMT"},
  };
  for (const auto& c : cases) {
    TGetDateTimeForm form;
    form.SetDateText(c.in);
    form.ok_button()->click();
    EXPECT_TRUE(form.Accepted());
    EXPECT_EQ(form.DateText(), c.out) << c.in;
  }
  TGetDateTimeForm now_form;
  const DateTime before = Now();
  now_form.SetDateText("not a date");
  const auto read = ParseRSSDate(now_form.DateText());
  ASSERT_TRUE(read.has_value());
  EXPECT_GE(*read, before);
  EXPECT_LE(*read, Now());

  TGetDateTimeForm cancelled;
  cancelled.SetDateText("");
  cancelled.cancel_button()->click();
  EXPECT_FALSE(cancelled.Accepted());
}

TEST_F(EditorsTest, SkipPeriodDialogsMatchAnyCaseAndReturnListOrder) {
  const struct {
    SkipPeriod kind;
    const char* in;
    const char* out;
  } cases[] = {
      {SkipPeriod::kDays, "monday, FRIDAY", "Monday,Friday"},
      {SkipPeriod::kDays, "Sunday Monday", "Monday,Sunday"},
      {SkipPeriod::kDays, "Funday", ""},
      {SkipPeriod::kHours, "23,7,0", "0,7,23"},
      {SkipPeriod::kHours, "07,24,\"5\"", "5"},
      {SkipPeriod::kHours, "", ""},
  };
  for (const auto& c : cases) {
    TGetSkipPeriodForm form(c.kind);
    form.SetList(c.in);
    form.ok_button()->click();
    EXPECT_TRUE(form.Accepted());
    EXPECT_EQ(form.List(), c.out) << c.in;
  }
  TGetSkipPeriodForm days(SkipPeriod::kDays);
  EXPECT_EQ(days.windowTitle(), "Select skip days");
  EXPECT_EQ(days.list()->count(), 7);
  TGetSkipPeriodForm hours(SkipPeriod::kHours);
  EXPECT_EQ(hours.windowTitle(), "Select skip hours");
  EXPECT_EQ(hours.list()->count(), 24);
  EXPECT_EQ(hours.list()->item(23)->text(), "23");
}

TEST_F(EditorsTest, TheServiceLeavesTheTextAloneOnCancel) {
  AppPaths paths{dir_.path(), dir_.path()};
  EditorsService editors(paths, prompts_);
  const auto press = [](const char* button) {
    QTimer::singleShot(0, [button] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QPushButton*>(button)->click();
    });
  };
  std::string list = "Funday,monday";
  press("CancelButton");
  EXPECT_FALSE(editors.GetSkipDays(list));
  EXPECT_EQ(list, "Funday,monday");
  press("OKButton");
  EXPECT_TRUE(editors.GetSkipDays(list));
  EXPECT_EQ(list, "Monday");

  std::string text = "a\nb";
  press("OKButton");
  EXPECT_TRUE(editors.GetText(text));
  EXPECT_EQ(text, "a\r\nb");
  std::string date = "garbage";
  press("CancelButton");
  EXPECT_FALSE(editors.GetDateTime(date));
  EXPECT_EQ(date, "garbage");
}

}  // namespace
}  // namespace quillcast
