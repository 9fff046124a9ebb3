#include <QComboBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QToolButton>

#include "feed/FeedFile.h"
#include "feed/ui/DataNavigator.h"
#include "feed/ui/ItemGrid.h"
#include "ui/UiFixture.h"

namespace quillcast {
namespace {

using testing::kSmallFeed;
using testing::MainWindowFixture;
using testing::WriteFile;

class DocumentWindowTest : public MainWindowFixture {
 protected:
  TMDIChild& NewDocument() {
    Main().FileNewExecute();
    return *Main().ActiveChild();
  }

  TMDIChild& OpenFeed(const char* text, const char* name = "feed.xml") {
    WriteFile(File(name), text);
    return *Main().OpenDocument(Q(File(name)));
  }

  static std::string Titles(TMDIChild& child) {
    std::string titles;
    for (int row = 0; row < child.ItemCDS().RecordCount(); ++row) {
      titles += (row ? "," : "") + child.ItemCDS().DisplayTextAt(row, kItTitle);
    }
    return titles;
  }
};

TEST_F(DocumentWindowTest, ANewDocumentRefusesItemsUntilTheChannelIsTyped) {
  TMDIChild& child = NewDocument();
  QToolButton* insert = child.navigator()->button(DataNavigator::kInsert);
  insert->click();
  EXPECT_EQ(prompts_.Errors(), QStringList{"error: Before adding items you must define channel!"});
  EXPECT_EQ(child.ItemCDS().RecordCount(), 0);

  Type(child.BoxOf("title"), "My feed");
  Type(child.BoxOf("link"), "http://example.org/");
  insert->click();
  EXPECT_EQ(prompts_.Errors().size(), 2) << "the description is still missing";

  Type(child.BoxOf("description"), "About it");
  insert->click();
  ASSERT_EQ(child.ItemCDS().state(), DataSetState::kInsert);
  child.ItemCDS().SetText("title", "First episode");
  child.navigator()->button(DataNavigator::kPost)->click();
  EXPECT_EQ(prompts_.Errors().size(), 2);
  EXPECT_EQ(child.ItemCDS().RecordCount(), 1);
  EXPECT_EQ(Main().StatusText(1), "Item Count: 1");
  EXPECT_TRUE(child.Modified());
}

TEST_F(DocumentWindowTest, BoxesFollowTheirFieldRules) {
  TMDIChild& child = NewDocument();
  QLineEdit* ttl = child.BoxOf("ttl");
  QTest::keyClicks(ttl, "12x-3");
  EXPECT_EQ(ttl->text(), "12-3") << "integer boxes take digits and signs only";
  EXPECT_EQ(child.BoxOf("title")->maxLength(), 255);
  EXPECT_EQ(child.BoxOf("language") != nullptr, true);
  EXPECT_TRUE(child.BoxOf("pubDate")->isReadOnly());
  EXPECT_EQ(child.BoxOf("pubDate")->focusPolicy(), Qt::ClickFocus);
  auto* language = child.findChild<QComboBox*>("LanguageDBCB");
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(language->count(), 96);
  EXPECT_EQ(language->itemText(0), "af");
  EXPECT_EQ(language->itemText(95), "uk");
  QStringList tabs;
  for (int i = 0; i < child.pages()->count(); ++i) tabs << child.pages()->tabText(i);
  EXPECT_EQ(tabs, (QStringList{"General", "Time Info", "Image", "Details", "Cloud", "Text Input",
                               "Extra"}));
  EXPECT_EQ(child.grid()->model()->columnCount(), 15);
  EXPECT_EQ(child.grid()->model()->headerData(8, Qt::Horizontal).toString(),
            "Enclosure length (bytes)");
}

TEST_F(DocumentWindowTest, EscPutsTheFieldValueBack) {
  TMDIChild& child = OpenFeed(kSmallFeed);
  QLineEdit* title = child.BoxOf("title");
  title->setFocus();
  QTest::keyClicks(title, " changed");
  QTest::keyClick(title, Qt::Key_Escape);
  EXPECT_EQ(title->text(), "T");
}

TEST_F(DocumentWindowTest, ChannelButtonsGoThroughTheDialogs) {
  TMDIChild& child = NewDocument();
  dialogs_.answer = "Mon, 05 Jan 2004 13:45:07 GMT";
  child.ButtonNamed("PubDateButton")->click();
  EXPECT_EQ(prompts_.Errors(), QStringList{"error: Channel field \"Title\" is required!"});
  EXPECT_EQ(child.RSSCDS().state(), DataSetState::kInsert);
  EXPECT_EQ(child.BoxOf("pubDate")->text(), "Mon, 05 Jan 2004 13:45:07 GMT");

  DefineChannel(child);
  dialogs_.answer = "Saturday,Sunday";
  child.ButtonNamed("SkipDaysButton")->click();
  EXPECT_EQ(child.RSSCDS().AsString("skipDays"), "<day>Saturday</day><day>Sunday</day>");
  EXPECT_EQ(child.BoxOf("skipDays")->text(), "Saturday,Sunday");
  EXPECT_EQ(child.RSSCDS().state(), DataSetState::kBrowse) << "the button posted";

  dialogs_.answer.reset();
  child.ButtonNamed("SkipDaysButton")->click();
  EXPECT_EQ(dialogs_.asked.back(), "days Saturday,Sunday");
  EXPECT_EQ(child.RSSCDS().AsString("skipDays"), "<day>Saturday</day><day>Sunday</day>")
      << "a cancelled dialog changes nothing";

  child.BoxOf("description")->setText("typed, not yet written");
  dialogs_.answer = "Long\r\ntext";
  child.ButtonNamed("DescButton")->click();
  EXPECT_EQ(dialogs_.asked.back(), "text typed, not yet written");
  EXPECT_EQ(child.RSSCDS().AsString("description"), "Long\r\ntext");

  child.ButtonNamed("LinkPreviewButton")->click();
  EXPECT_EQ(dialogs_.asked.back(), "preview http://example.org/");
}

TEST_F(DocumentWindowTest, GridEllipsisEditsDateAndDescription) {
  TMDIChild& child = OpenFeed(kSmallFeed);
  ItemGrid* grid = child.grid();
  EXPECT_EQ(Titles(child), "new,middle,old");
  dialogs_.answer = "Fri, 05 Jan 2007 00:00:00 GMT";
  emit grid->ellipsisClicked(grid->model()->index(2, kItPubDate));
  EXPECT_EQ(Titles(child), "old,new,middle") << "the posted item moved to its date's place";
  EXPECT_EQ(child.ItemCDS().RecNo(), 0);
  EXPECT_EQ(grid->currentIndex().row(), 0) << "the grid follows the cursor";

  dialogs_.answer = "Notes";
  emit grid->ellipsisClicked(grid->model()->index(1, kItDescription));
  EXPECT_EQ(child.ItemCDS().DisplayTextAt(1, kItDescription), "Notes");
  EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, kItPubDate)) & Qt::ItemIsEditable);
}

TEST_F(DocumentWindowTest, MovingToAnotherRowPostsAndARefusalStays) {
  TMDIChild& child = OpenFeed(kSmallFeed);
  ItemGrid* grid = child.grid();
  QAbstractItemModel* model = grid->model();
  grid->setCurrentIndex(model->index(1, kItTitle));
  ASSERT_EQ(child.ItemCDS().RecNo(), 1);
  EXPECT_TRUE(model->setData(model->index(1, kItTitle), "renamed"));
  EXPECT_EQ(child.ItemCDS().state(), DataSetState::kEdit);
  grid->setCurrentIndex(model->index(2, kItTitle));
  EXPECT_EQ(child.ItemCDS().state(), DataSetState::kBrowse);
  EXPECT_EQ(child.ItemCDS().DisplayTextAt(1, kItTitle), "renamed");
  EXPECT_TRUE(child.Modified());

  // A channel without a title refuses item posts; the grid stays on the edited row.
  child.RSSCDS().Edit();
  child.RSSCDS().SetText("title", "");
  EXPECT_TRUE(model->setData(model->index(2, kItTitle), "edited"));
  grid->setCurrentIndex(model->index(0, kItTitle));
  ProcessEvents();
  EXPECT_EQ(prompts_.Errors().back(), "error: Channel field \"Title\" is required!");
  EXPECT_EQ(child.ItemCDS().RecNo(), 2);
  EXPECT_EQ(grid->currentIndex().row(), 2);
  EXPECT_EQ(child.ItemCDS().state(), DataSetState::kEdit);
}

TEST_F(DocumentWindowTest, AnInsertedRowLeftUnchangedIsCancelled) {
  TMDIChild& child = OpenFeed(kSmallFeed);
  emit child.grid()->insertRequested();
  EXPECT_EQ(child.ItemCDS().RecordCount(), 4);
  child.grid()->setCurrentIndex(child.grid()->model()->index(3, 0));
  EXPECT_EQ(child.ItemCDS().RecordCount(), 3);
}

TEST_F(DocumentWindowTest, CtrlDeleteAsksAccordingToTheSelection) {
  TMDIChild& child = OpenFeed(kSmallFeed);
  ItemGrid* grid = child.grid();
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  prompts_.confirmations = {false};
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(prompts_.log.back(), "okcancel: Delete record?");
  EXPECT_EQ(child.ItemCDS().RecordCount(), 3);

  grid->selectionModel()->select(grid->model()->index(2, 0), QItemSelectionModel::Select);
  prompts_.confirmations = {true};
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(prompts_.log.back(), "okcancel: Delete all selected records?");
  EXPECT_EQ(Titles(child), "middle");
  EXPECT_EQ(Main().StatusText(1), "Item Count: 1");
}

struct SearchCase {
  const char* name;
  int start_row;
  bool new_search;
  bool downward;
  const char* text;
  bool found;
  int end_row;
};

TEST_F(DocumentWindowTest, SearchItemsStepsAndStopsAtTheEnds) {
  const SearchCase cases[] = {
      {"new search finds the current item", 1, true, true, "middle", true, 1},
      {"downward from the first", 0, false, true, "old", true, 2},
      {"upward to the first", 2, false, false, "NEW", true, 0},
      {"match case misses", 2, false, false, "NEW", false, 0},
      {"text found nowhere rests on the last item", 0, false, true, "absent", false, 2},
      {"empty text matches nothing", 1, false, true, "", false, 2},
      {"a date field's text", 0, false, true, "Jun 2004", true, 1},
  };
  for (const SearchCase& c : cases) {
    TMDIChild& child = OpenFeed(kSmallFeed);
    DataSet& items = child.ItemCDS();
    items.MoveTo(c.start_row);
    const bool match_case = std::string(c.name) == "match case misses";
    EXPECT_EQ(child.SearchItems(c.text, match_case, c.new_search, c.downward), c.found) << c.name;
    EXPECT_EQ(items.RecNo(), c.end_row) << c.name;
    child.SetModified(false);
    child.close();
  }
}

TEST_F(DocumentWindowTest, SearchRespectsTheEndFlagsAsTheyStand) {
  TMDIChild& child = OpenFeed(kSmallFeed);
  DataSet& items = child.ItemCDS();
  items.Last();
  EXPECT_FALSE(child.SearchItems("old", false, false, true))
      << "downward from the last item, not a new search";
  EXPECT_TRUE(items.Eof());
  EXPECT_FALSE(child.SearchItems("old", false, true, true))
      << "a new search with the end flag already set finds nothing";
  items.First();
  EXPECT_FALSE(child.SearchItems("new", false, true, false)) << "upward right after First";
  const int year = DateTimeToLocal(Now()).year;
  TMDIChild& undated = OpenFeed(
      "<rss version=\"2.0\"><channel><title>T</title><item><title>a</title></item>"
      "<item><title>b</title><pubDate>Mon, 05 Jan 2004 13:45:07 GMT</pubDate></item>"
      "</channel></rss>",
      "undated.xml");
  undated.ItemCDS().Last();
  EXPECT_TRUE(undated.SearchItems(QString::number(year), false, false, false))
      << "an item without pubDate is found through its DateTime text";
  EXPECT_EQ(undated.ItemCDS().RecNo(), 0);
}

TEST_F(DocumentWindowTest, ColumnWidthAndVisibilityLists) {
  TMDIChild& child = NewDocument();
  EXPECT_EQ(child.GetColWidthsText(),
            "100,100,100,100,100,100,100,100,100,100,100,100,100,100,100");
  child.ApplyColWidthsText("50,abc");
  EXPECT_EQ(child.GetColWidthsText().left(12), "50,100,100,1");
  child.ApplyColWidthsText("60,70,80");
  child.ApplyColWidthsText("61,\"71\",\"x y\",,55");
  EXPECT_EQ(child.GetColWidthsText().left(21), "61,71,100,100,55,100,");
  child.ApplyColVisibilityText("False,0,yes,TRUE,false");
  EXPECT_EQ(child.GetColVisibilityText().left(30), "False,False,True,True,False,Tr");
  QStringList twenty;
  for (int i = 0; i < 20; ++i) twenty << "33";
  child.ApplyColWidthsText(twenty.join(','));
  EXPECT_EQ(child.GetColWidthsText().count("33"), 15);

  child.SaveColVisibility();
  child.SaveColWidths();
  TMDIChild& later = NewDocument();
  EXPECT_EQ(later.GetColVisibilityText(), child.GetColVisibilityText())
      << "later windows start from the stored lists";
  EXPECT_EQ(later.GetColWidthsText(), child.GetColWidthsText());
}

}  // namespace
}  // namespace quillcast
