#include <QComboBox>
#include <QSignalSpy>
#include <QWebEngineView>

#include "editors/EditorsService.h"
#include "editors/HTMLPreviewUnit.h"
#include "editors/INSPECTOR.h"
#include "editors/ToolWindow.h"
#include "feed/ui/DataNavigator.h"
#include "feed/ui/ItemGrid.h"
#include "ui/UiFixture.h"

namespace quillcast {
namespace {

using testing::kSmallFeed;
using testing::WriteFile;

class InspectorTest : public testing::MainWindowFixture {
 protected:
  TItemInspectorForm& Inspector() {
    if (!inspector_) {
      inspector_ = std::make_unique<TItemInspectorForm>(paths_.SettingsFile(), prompts_, dialogs_);
      Main().SetToolWindows(inspector_.get(), nullptr);
    }
    return *inspector_;
  }

  TMDIChild& Open(const char* name = "feed.xml") {
    WriteFile(File(name), kSmallFeed);
    Inspector();
    return *Main().OpenDocument(Q(File(name)));
  }

  void TearDown() override {
    if (main_) main_->SetToolWindows(nullptr, nullptr);
  }

  std::unique_ptr<TItemInspectorForm> inspector_;
};

TEST_F(InspectorTest, FirstStartPlacementAndStoredSettings) {
  TItemInspectorForm& inspector = Inspector();
  EXPECT_TRUE(inspector.isVisible()) << "visible by default";
  EXPECT_EQ(inspector.geometry().top(), 72);
  EXPECT_EQ(inspector.geometry().size(), QSize(326, 419));
  EXPECT_EQ(inspector.geometry().left(),
            QGuiApplication::primaryScreen()->geometry().width() - 326);

  inspector.setGeometry(40, 100, 340, 400);
  inspector.close();
  EXPECT_FALSE(inspector.isVisible());
  EXPECT_TRUE(Settings().ReadBool("InspectorForm", "Visible", false))
      << "closing the frame stores while the window still shows";
  EXPECT_EQ(Settings().ReadInteger("InspectorForm", "InspectorFormTop", -1), 100);
  inspector.SaveSettings();
  EXPECT_FALSE(Settings().ReadBool("InspectorForm", "Visible", true));

  TItemInspectorForm again(paths_.SettingsFile(), prompts_, dialogs_);
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(again.geometry(), QRect(40, 100, 340, 400));
}

TEST_F(InspectorTest, FollowsTheGridAndTheGridFollowsIt) {
  TMDIChild& child = Open();
  TItemInspectorForm& inspector = Inspector();
  EXPECT_EQ(inspector.ItemDataSet(), &child.ItemCDS());
  EXPECT_EQ(inspector.BoxOf("title")->text(), "new");
  child.grid()->setCurrentIndex(child.grid()->model()->index(2, 0));
  EXPECT_EQ(inspector.BoxOf("title")->text(), "old");
  inspector.navigator()->button(DataNavigator::kPrior)->click();
  EXPECT_EQ(child.ItemCDS().RecNo(), 1);
  EXPECT_EQ(child.grid()->currentIndex().row(), 1);
  EXPECT_EQ(inspector.BoxOf("title")->text(), "middle");
  EXPECT_FALSE(inspector.navigator()->button(DataNavigator::kFirst)->isVisible());
}

TEST_F(InspectorTest, AnEditIsPostedWhenTheGridMovesOn) {
  TMDIChild& child = Open();
  TItemInspectorForm& inspector = Inspector();
  Type(inspector.BoxOf("author"), "me@example.org");
  EXPECT_EQ(child.ItemCDS().state(), DataSetState::kEdit);
  child.grid()->setCurrentIndex(child.grid()->model()->index(2, 0));
  EXPECT_EQ(child.ItemCDS().state(), DataSetState::kBrowse);
  EXPECT_EQ(child.ItemCDS().DisplayTextAt(0, kItAuthor), "me@example.org");
  EXPECT_TRUE(child.Modified());
}

TEST_F(InspectorTest, TheTypeListIsCutToTheFieldWidth) {
  Open();
  TItemInspectorForm& inspector = Inspector();
  QComboBox* types = inspector.type_box();
  ASSERT_EQ(types->count(), 395);
  EXPECT_EQ(types->itemText(0), "application/octet-stream");
  EXPECT_EQ(types->itemText(394), "video/vnd.nokia.interleaved-multimedia");
  const int mpeg = types->findText("audio/mpeg");
  ASSERT_GE(mpeg, 0);
  types->setCurrentIndex(mpeg);
  emit types->textActivated("audio/mpeg");
  EXPECT_EQ(inspector.ItemDataSet()->AsString("type"), "audio/mpeg");
  types->setCurrentIndex(0);
  emit types->textActivated("application/octet-stream");
  EXPECT_EQ(inspector.ItemDataSet()->AsString("type"), "application/octet-st");
}

TEST_F(InspectorTest, ButtonsAndFallingBackWhenTheDocumentCloses) {
  TMDIChild& child = Open();
  TItemInspectorForm& inspector = Inspector();
  inspector.BoxOf("link")->setText("http://typed.example/");
  inspector.ButtonNamed("LinkPreviewButton")->click();
  EXPECT_EQ(dialogs_.asked.back(), "preview http://typed.example/");
  dialogs_.answer = "Sat, 01 Jan 2000 00:00:00 GMT";
  inspector.ButtonNamed("PubDateButton")->click();
  EXPECT_EQ(child.ItemCDS().DisplayTextAt(2, kItPubDate), "Sat, 01 Jan 2000 00:00:00 GMT")
      << "posted, and moved to its date's place";

  prompts_.yes_no_cancel = {Prompts::Answer::kNo};
  child.close();
  ProcessEvents();
  EXPECT_EQ(inspector.ItemDataSet(), nullptr);
  EXPECT_TRUE(inspector.BoxOf("title")->text().isEmpty());
  EXPECT_FALSE(inspector.navigator()->button(DataNavigator::kInsert)->isEnabled());
  const size_t asked = dialogs_.asked.size();
  inspector.ButtonNamed("PubDateButton")->click();
  EXPECT_EQ(dialogs_.asked.size(), asked) << "does nothing without a table";

  TMDIChild& other = Open("other.xml");
  EXPECT_EQ(inspector.ItemDataSet(), &other.ItemCDS());
}

TEST_F(InspectorTest, ToolsCommandShowsAndHidesIt) {
  TItemInspectorForm& inspector = Inspector();
  Main().UpdateActions();
  QAction* command = Main().Command("ViewItemInspector");
  EXPECT_TRUE(command->isChecked());
  command->trigger();
  Main().UpdateActions();
  EXPECT_FALSE(inspector.isVisible());
  EXPECT_FALSE(command->isChecked());
  command->trigger();
  EXPECT_TRUE(inspector.isVisible());
  EXPECT_FALSE(Main().Command("ViewHTMLPreview")->isEnabled()) << "no preview in this run";
}

TEST(ToolWindowTest, SnapsWithinTwentyPixelsOfTheScreenEdges) {
  const QRect screen(0, 0, 1000, 800);
  EXPECT_EQ(ToolWindow::Snapped(QRect(15, 300, 100, 100), screen), QPoint(0, 300));
  EXPECT_EQ(ToolWindow::Snapped(QRect(885, 19, 100, 100), screen), QPoint(900, 0));
  EXPECT_EQ(ToolWindow::Snapped(QRect(21, 300, 100, 100), screen), QPoint(21, 300));
  EXPECT_EQ(ToolWindow::Snapped(QRect(400, 690, 100, 100), screen), QPoint(400, 700));
}

class PreviewTest : public ::testing::Test {
 protected:
  std::string SettingsFile() const { return dir_.File("quillcast.ini"); }
  testing::TempDir dir_;
};

TEST_F(PreviewTest, LoadsALocalPageAndShowsItself) {
  THTMLPreviewForm preview(SettingsFile());
  EXPECT_FALSE(preview.isVisible()) << "hidden until first used";
  EXPECT_EQ(preview.geometry(), QRect(0, 72, 326, 278));
  const std::string page = dir_.File("page.html");
  WriteFile(page, "<html><head><title>Quillcast preview</title></head><body>Hi</body></html>");
  QSignalSpy loaded(preview.browser(), &QWebEngineView::loadFinished);
  preview.PreviewURL(Q(page));
  EXPECT_TRUE(preview.isVisible());
  ASSERT_TRUE(loaded.wait(30000));
  EXPECT_TRUE(loaded.takeFirst().at(0).toBool());
  EXPECT_EQ(preview.browser()->title(), "Quillcast preview");

  preview.PreviewURL("");
  EXPECT_TRUE(preview.isVisible()) << "an empty address still shows the window";
}

TEST_F(PreviewTest, SettingsWriteTheStateAlwaysAndThePlacementWhenNormal) {
  {
    THTMLPreviewForm preview(SettingsFile());
    preview.setGeometry(5, 6, 300, 200);
    preview.show();
    preview.close();
  }
  const ProfileFile settings(SettingsFile());
  EXPECT_EQ(settings.ReadSection("PreviewForm"),
            (std::vector<std::string>{"WindowState", "Top", "Left", "Width", "Height", "Visible"}));
  EXPECT_TRUE(settings.ReadBool("PreviewForm", "Visible", false));
  {
    THTMLPreviewForm preview(SettingsFile());
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.geometry(), QRect(5, 6, 300, 200));
    preview.hide();
    preview.showMaximized();
    preview.SaveSettings();
  }
  EXPECT_EQ(settings.ReadInteger("PreviewForm", "WindowState", -1), 2);
  EXPECT_EQ(settings.ReadInteger("PreviewForm", "Width", -1), 300);
}

TEST_F(PreviewTest, TheTextDialogsHtmlGoesToThePreview) {
  AppPaths paths{dir_.path(), dir_.path()};
  testing::ScriptedPrompts prompts;
  EditorsService editors(paths, prompts);
  THTMLPreviewForm preview(paths.SettingsFile());
  editors.SetPreview(&preview);
  QSignalSpy loaded(preview.browser(), &QWebEngineView::loadFinished);
  editors.ShowHTML({"<title>From the dialog</title>", "<p>text</p>"});
  ASSERT_TRUE(loaded.wait(30000));
  EXPECT_EQ(preview.browser()->title(), "From the dialog");
  EXPECT_TRUE(preview.isVisible());
}

}  // namespace
}  // namespace quillcast
