#include <QListWidget>
#include <QTimer>

#include "about/about.h"
#include "feed/ui/ItemGrid.h"
#include "shell/CustomizeColumnsUnit.h"
#include "shell/FindUnit.h"
#include "shell/StartUnit.h"
#include "ui/UiFixture.h"

namespace quillcast {
namespace {

using testing::kSmallFeed;
using testing::WriteFile;

class CommandsTest : public testing::MainWindowFixture {
 protected:
  TMDIChild& Open(const char* name = "feed.xml", const char* text = kSmallFeed) {
    WriteFile(File(name), text);
    return *Main().OpenDocument(Q(File(name)));
  }

  static void Select(TMDIChild& child, std::initializer_list<int> rows) {
    ItemGrid* grid = child.grid();
    grid->clearSelection();
    for (int row : rows) {
      grid->selectionModel()->select(grid->model()->index(row, 0), QItemSelectionModel::Select);
    }
  }

  static std::string Titles(TMDIChild& child) {
    std::string titles;
    for (int row = 0; row < child.ItemCDS().RecordCount(); ++row) {
      titles += (row ? "," : "") + child.ItemCDS().DisplayTextAt(row, kItTitle);
    }
    return titles;
  }
};

TEST_F(CommandsTest, CopyThenPasteGivesAnEqualItem) {
  TMDIChild& child = Open();
  child.grid()->clearSelection();
  child.ItemCDS().MoveTo(1);
  Main().ItemsCopyExecute();
  ASSERT_EQ(Main().ItemBuffer().size(), 1u);
  Main().ItemsPasteExecute();
  EXPECT_EQ(Titles(child), "new,middle,middle,old");
  for (int field = 0; field < kItDateTime; ++field) {
    EXPECT_EQ(child.ItemCDS().DisplayTextAt(1, field), child.ItemCDS().DisplayTextAt(2, field));
  }
}

TEST_F(CommandsTest, ThreeSelectedRowsGoToAnotherDocument) {
  TMDIChild& source = Open("a.xml");
  Select(source, {0, 1, 2});
  Main().ItemsCopyExecute();
  EXPECT_EQ(Main().ItemBuffer().size(), 3u);
  EXPECT_EQ(source.ItemCDS().RecNo(), 2) << "the cursor stays on the last selected row";
  TMDIChild& target = Open("b.xml",
                           "<rss version=\"2.0\"><channel><title>B</title><link>l</link>"
                           "<description>d</description></channel></rss>");
  Main().ItemsPasteExecute();
  EXPECT_EQ(Titles(target), "new,middle,old");
  EXPECT_EQ(Main().StatusText(1), "Item Count: 3");

  // A second copy replaces the buffer.
  Main().workspace()->setActiveSubWindow(&source);
  Select(source, {0});
  Main().ItemsCopyExecute();
  EXPECT_EQ(Main().ItemBuffer().size(), 1u);
}

TEST_F(CommandsTest, DeleteWithTwoRowsSelectedAsksOnce) {
  TMDIChild& child = Open();
  Select(child, {0, 2});
  prompts_.confirmations = {false};
  Main().ItemsDeleteExecute();
  EXPECT_EQ(child.ItemCDS().RecordCount(), 3);
  Select(child, {0, 2});
  prompts_.confirmations = {true};
  Main().ItemsDeleteExecute();
  EXPECT_EQ(
      prompts_.log.filter("confirm: Are you sure you want to delete selected item(s)?").size(), 2);
  EXPECT_EQ(Titles(child), "middle");
  EXPECT_TRUE(child.Modified());
}

TEST_F(CommandsTest, FindStepsBothWaysAndReportsAMiss) {
  TMDIChild& child =
      Open("f.xml",
           "<rss version=\"2.0\"><channel><title>T</title>"
           "<item><title>apple one</title><pubDate>Mon, 05 Jan 2004 00:00:00 GMT</pubDate></item>"
           "<item><title>pear</title><pubDate>Tue, 06 Jan 2004 00:00:00 GMT</pubDate></item>"
           "<item><title>Apple two</title><pubDate>Wed, 07 Jan 2004 00:00:00 GMT</pubDate></item>"
           "<item><title>apple three</title><pubDate>Thu, 08 Jan 2004 00:00:00 GMT</pubDate></item>"
           "</channel></rss>");
  // Rows, newest first: apple three, Apple two, pear, apple one.
  TFindForm& find = *Main().FindForm();
  find.FindNextUpdate();
  EXPECT_FALSE(find.find_button()->isEnabled()) << "empty text";
  find.find_what()->setText("apple");
  EXPECT_TRUE(find.find_button()->isEnabled());
  child.ItemCDS().First();
  find.FindNextExecute();
  EXPECT_EQ(child.ItemCDS().RecNo(), 0) << "a new search can match the current item";
  find.FindNextExecute();
  EXPECT_EQ(child.ItemCDS().RecNo(), 1);
  find.FindNextExecute();
  EXPECT_EQ(child.ItemCDS().RecNo(), 3);
  find.up()->setChecked(true);
  find.FindNextExecute();
  EXPECT_EQ(child.ItemCDS().RecNo(), 1) << "a changed direction goes on from the current item";
  find.match_case()->setChecked(true);
  find.FindNextExecute();
  EXPECT_EQ(child.ItemCDS().RecNo(), 0);
  find.down()->setChecked(true);
  find.FindNextExecute();
  EXPECT_EQ(child.ItemCDS().RecNo(), 3) << "match case passes over 'Apple two'";
  EXPECT_TRUE(prompts_.log.filter("message:").isEmpty());
  find.find_what()->setText("banana");
  find.FindNextExecute();
  EXPECT_EQ(prompts_.log.back(), "message: No matching found.");
  EXPECT_EQ(find.LastFindText(), "banana");
}

TEST_F(CommandsTest, FindNeedsADocument) {
  TFindForm& find = *Main().FindForm();
  find.find_what()->setText("x");
  find.FindNextUpdate();
  EXPECT_FALSE(find.find_button()->isEnabled());
  Main().Command("ItemsFind")->trigger();
  EXPECT_FALSE(find.isVisible());
  Open();
  Main().UpdateActions();
  Main().Command("ItemsFind")->trigger();
  EXPECT_TRUE(find.isVisible());
  find.hide();
  Main().Command("ItemsFind")->trigger();
  EXPECT_EQ(find.find_what()->text(), "x") << "closing only hides: the text stays";
}

TEST_F(CommandsTest, ColumnChooserOkCancelAndLaterWindows) {
  TMDIChild& child = Open();
  child.grid()->setColumnHidden(3, true);
  {
    TCustomizeColumnsForm form(child.grid());
    ASSERT_EQ(form.list()->count(), 15);
    EXPECT_EQ(form.list()->item(3)->text(), "Author");
    EXPECT_EQ(form.list()->item(3)->checkState(), Qt::Unchecked);
    form.list()->item(0)->setCheckState(Qt::Unchecked);
    form.cancel_button()->click();
    EXPECT_FALSE(form.Accepted());
    EXPECT_FALSE(child.grid()->isColumnHidden(0)) << "Cancel changes nothing";
  }
  const auto press = [](const char* button, std::function<void(QDialog*)> before = {}) {
    QTimer::singleShot(0, [button, before] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (before) before(dialog);
      dialog->findChild<QPushButton*>(button)->click();
    });
  };
  press("CancelButton");
  Main().UpdateActions();
  Main().Command("ItemsColumns")->trigger();
  EXPECT_EQ(Settings().ReadString("ChildForm", "ColVisibility", "none"), "none")
      << "a cancelled chooser stores nothing";

  press("OKButton", [](QDialog* dialog) {
    auto* list = dialog->findChild<QListWidget*>("ColumnsCLB");
    for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Unchecked);
    list->item(0)->setCheckState(Qt::Checked);
  });
  Main().Command("ItemsColumns")->trigger();
  EXPECT_EQ(
      Settings().ReadString("ChildForm", "ColVisibility", ""),
      "True,False,False,False,False,False,False,False,False,False,False,False,False,False,False");
  TMDIChild& later = Open("later.xml");
  EXPECT_FALSE(later.grid()->isColumnHidden(0));
  EXPECT_TRUE(later.grid()->isColumnHidden(1));
}

TEST_F(CommandsTest, StartupDialogEntriesAndDontShow) {
  std::vector<std::string> ran;
  const auto make = [&] {
    return std::make_unique<TStartForm>(
        paths_.SettingsFile(), Main().Icons(),
        TStartForm::Actions{[&] { ran.push_back("new"); }, [&] { ran.push_back("open"); },
                            [&] { ran.push_back("download"); },
                            [&](const QString& path) { ran.push_back("reopen " + S(path)); }},
        [](const std::function<void()>& action) {
          action();
          return true;
        });
  };
  auto empty = make();
  ASSERT_EQ(empty->list()->count(), 3);
  EXPECT_EQ(empty->list()->item(0)->text(), "New RSS");
  EXPECT_EQ(empty->list()->item(1)->text(), "Download RSS");
  EXPECT_EQ(empty->list()->item(2)->text(), "Open RSS");
  empty->close();

  for (const char* name : {"1.xml", "2.xml", "3.xml", "4.xml", "5.xml"}) {
    WriteFile(File(name), kSmallFeed);
    Main().AddToReopenList(Q(File(name)));
  }
  auto five = make();
  ASSERT_EQ(five->list()->count(), 8);
  EXPECT_EQ(five->list()->item(3)->text(), "...5.xml");
  five->ListViewClick(five->list()->item(3));
  EXPECT_EQ(ran, std::vector<std::string>{"reopen " + File("5.xml")});
  EXPECT_FALSE(five->isVisible());
  EXPECT_TRUE(Settings().ReadBool("General", "ShowStartup", true)) << "unticked: nothing written";

  auto off = make();
  off->dont_show()->setChecked(true);
  off->ListViewClick(off->list()->item(2));
  EXPECT_EQ(ran.back(), "open");
  EXPECT_FALSE(Settings().ReadBool("General", "ShowStartup", true));
  TMainForm next(paths_, prompts_, dialogs_);
  EXPECT_FALSE(next.ShowStartup());
}

TEST_F(CommandsTest, AboutBoxShowsSevenLinesFromTheBuiltExecutable) {
  std::vector<QString> opened;
  TAboutBox box(QUILLCAST_EXECUTABLE, [&](const QString& url) { opened.push_back(url); });
  const QStringList lines = box.memo()->toPlainText().split('\n');
  EXPECT_EQ(lines,
            (QStringList{"Copyright: Copyright (c) 2026 Orvel", "Company: Orvel",
                         "Product Name: Orvel Quillcast", "Product Version: " QUILLCAST_VERSION,
                         "File Version: " QUILLCAST_VERSION,
                         "Comments: Edits, publishes and fetches RSS 2.0 feeds",
                         "Description: Orvel Quillcast, an editor for RSS 2.0 feed files"}));
  box.ContactLabelClick(box.web_site_label());
  box.ContactLabelClick(box.email_label());
  EXPECT_EQ(opened, (std::vector<QString>{"http://quillcast.orvel.example",
                                          "mailto:support@orvel.example"}));

  TAboutBox bare(File("nothing-here"), nullptr);
  EXPECT_EQ(bare.memo()->toPlainText().split('\n'),
            (QStringList{"Copyright: ", "Company: ", "Product Name: ", "Product Version: ",
                         "File Version: ", "Comments: ", "Description: "}));
}

}  // namespace
}  // namespace quillcast
