#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusTipEvent>

#include "common/Error.h"
#include "feed/FeedFile.h"
#include "feed/RSSReader.h"
#include "feed/RSSWriter.h"
#include "feed/ui/ItemGrid.h"
#include "shell/ReopenList.h"
#include "ui/UiFixture.h"

namespace quillcast {
namespace {

using testing::kSmallFeed;
using testing::MainWindowFixture;
using testing::ReadFile;
using testing::WriteFile;

class MainWindowTest : public MainWindowFixture {
 protected:
  QString Feed(const char* name, const char* text = kSmallFeed) {
    WriteFile(File(name), text);
    return Q(File(name));
  }

  QStringList Captions() {
    QStringList captions;
    for (TMDIChild* child : Main().Children()) captions << child->Caption();
    return captions;
  }

  std::vector<std::string> Reopen() { return ReadReopenList(Settings()); }
};

TEST_F(MainWindowTest, NewNewOpenNumbering) {
  Main().FileNewExecute();
  Main().FileNewExecute();
  prompts_.files = {Feed("a.xml")};
  Main().FileOpenExecute();
  EXPECT_EQ(Captions(), (QStringList{Q(File("a.xml")), "New RSS File2", "New RSS File1"}));
  transfer_.download = kSmallFeed;
  Main().FileDownloadExecute();
  EXPECT_EQ(Main().ActiveChild()->Caption(), "New RSS File3");
  EXPECT_EQ(Main().ActiveChild()->ItemCDS().RecordCount(), 3);
  transfer_.download.reset();
  Main().FileDownloadExecute();
  Main().FileNewExecute();
  EXPECT_EQ(Main().ActiveChild()->Caption(), "New RSS File4")
      << "a cancelled download takes no number";
  EXPECT_EQ(prompts_.log.filter("open: ").front(), "open: RSS XML File (*.xml);All files (*)");
}

TEST_F(MainWindowTest, SaveAndReopenGiveTheSameFeed) {
  Main().FileNewExecute();
  TMDIChild& child = *Main().ActiveChild();
  DefineChannel(child);
  child.ItemCDS().Append();
  child.ItemCDS().SetText("title", "Episode");
  child.ItemCDS().SetText("enclosure_url", "http://e/a.mp3");
  child.ItemCDS().Post();

  prompts_.files = {QString()};
  Main().FileSaveExecute();
  EXPECT_EQ(child.Caption(), "New RSS File1") << "a cancelled picker changes nothing";
  EXPECT_TRUE(child.Modified());

  prompts_.files = {Q(File("saved.xml"))};
  Main().FileSaveExecute();
  EXPECT_EQ(prompts_.log.filter("save: ").back(),
            "save: Save RSS XML File RSS XML File (*.xml) .xml");
  EXPECT_EQ(child.Caption(), Q(File("saved.xml")));
  EXPECT_FALSE(child.Modified());
  const std::string saved = ReadFile(File("saved.xml"));
  EXPECT_NE(saved.find("<title>Episode</title>"), std::string::npos);

  TMDIChild* again = Main().OpenDocument(Q(File("saved.xml")));
  EXPECT_EQ(again->GetRSSText(), saved);
  EXPECT_EQ(again->RSSCDS().AsString("title"), "My feed");

  // Save writes to the file without asking from now on.
  child.RSSCDS().Edit();
  child.RSSCDS().SetText("copyright", "(c) me");
  Main().workspace()->setActiveSubWindow(&child);
  const int pickers = static_cast<int>(prompts_.log.filter("save: ").size());
  Main().FileSaveExecute();
  EXPECT_EQ(prompts_.log.filter("save: ").size(), pickers);
  EXPECT_NE(ReadFile(File("saved.xml")).find("(c) me"), std::string::npos);
}

TEST_F(MainWindowTest, FailuresLeaveTheDocumentAsItWas) {
  WriteFile(File("bad.xml"), "<html/>");
  EXPECT_THROW(Main().OpenDocument(Q(File("bad.xml"))), QuillError);
  ProcessEvents();
  EXPECT_TRUE(Main().Children().isEmpty()) << "a refused feed closes its window";
  EXPECT_EQ(Reopen(), std::vector<std::string>{File("bad.xml")}) << "as a closed window does";

  TMDIChild* child = Main().OpenDocument(Feed("good.xml"));
  child->RSSCDS().Edit();
  child->RSSCDS().SetText("copyright", "x");
  child->SetCaption(Q(File("plain/feed.xml")));
  WriteFile(File("plain"), "a file, not a folder");
  EXPECT_THROW(Main().SaveDocument(*child), QuillError);
  EXPECT_EQ(child->Caption(), Q(File("plain/feed.xml")));
  EXPECT_TRUE(child->document().HasUnsavedChanges());
}

TEST_F(MainWindowTest, TheCloseQuestionsThreeAnswers) {
  TMDIChild* child = Main().OpenDocument(Feed("a.xml"));
  Type(child->BoxOf("title"), "Changed");
  ASSERT_FALSE(child->Modified()) << "typed but not posted";
  prompts_.yes_no_cancel = {Prompts::Answer::kCancel};
  Main().FileCloseExecute();
  ProcessEvents();
  EXPECT_EQ(prompts_.log.back(), "ask: Do you want to save the changes to a.xml");
  EXPECT_EQ(Main().Children().size(), 1);

  prompts_.yes_no_cancel = {Prompts::Answer::kNo};
  Main().FileCloseExecute();
  ProcessEvents();
  EXPECT_TRUE(Main().Children().isEmpty());
  EXPECT_EQ(ReadFile(File("a.xml")), kSmallFeed) << "No saves nothing";

  child = Main().OpenDocument(Q(File("a.xml")));
  Type(child->BoxOf("title"), "Changed");
  prompts_.yes_no_cancel = {Prompts::Answer::kYes};
  Main().FileCloseExecute();
  ProcessEvents();
  EXPECT_TRUE(Main().Children().isEmpty());
  EXPECT_NE(ReadFile(File("a.xml")).find("<title>Changed</title>"), std::string::npos);

  Main().FileNewExecute();
  Main().FileCloseExecute();
  ProcessEvents();
  EXPECT_TRUE(Main().Children().isEmpty()) << "an untouched new document closes without asking";
}

TEST_F(MainWindowTest, ClosingAskedYesOnANewDocumentAndCancellingTheNameStillCloses) {
  Main().FileNewExecute();
  DefineChannel(*Main().ActiveChild());
  prompts_.yes_no_cancel = {Prompts::Answer::kYes};
  prompts_.files = {QString()};
  Main().FileCloseExecute();
  ProcessEvents();
  EXPECT_TRUE(Main().Children().isEmpty());
}

TEST_F(MainWindowTest, ReopenListRules) {
  std::vector<QString> files;
  for (const char* name : {"1.xml", "2.xml", "3.xml", "4.xml", "5.xml", "6.xml"}) {
    files.push_back(Feed(name));
  }
  for (int i = 0; i < 5; ++i) Main().AddToReopenList(files[static_cast<size_t>(i)]);
  EXPECT_EQ(Reopen(), (std::vector<std::string>{File("5.xml"), File("4.xml"), File("3.xml"),
                                                File("2.xml"), File("1.xml")}));
  Main().AddToReopenList(files[5]);
  EXPECT_EQ(Reopen().front(), File("6.xml"));
  EXPECT_EQ(Reopen().size(), 5u);
  EXPECT_EQ(Reopen().back(), File("2.xml")) << "the oldest entry went";

  Main().AddToReopenList(files[2]);
  EXPECT_EQ(Reopen(), (std::vector<std::string>{File("3.xml"), File("6.xml"), File("5.xml"),
                                                File("4.xml"), File("2.xml")}));
  const QString other_case = Q(File("")) + "4.XML";
  WriteFile(S(other_case), kSmallFeed);
  Main().AddToReopenList(other_case);
  EXPECT_EQ(Reopen().front(), S(other_case));
  const std::vector<std::string> after = Reopen();
  EXPECT_EQ(std::count(after.begin(), after.end(), File("4.xml")), 0)
      << "a path in other letter case replaces the stored one";

  Main().AddToReopenList("New RSS File1");
  EXPECT_EQ(Reopen().front(), S(other_case)) << "unsaved documents are skipped";

  QList<QAction*> entries = Main().ReopenMenu()->actions();
  ASSERT_EQ(entries.size(), 5);
  EXPECT_EQ(entries[0]->text(), "&0 " + other_case);
  entries[1]->trigger();
  EXPECT_EQ(Main().ActiveChild()->Caption(), Q(File("3.xml")));
}

TEST_F(MainWindowTest, AReopenEntryWhoseFileIsGoneOpensAnEmptyDocumentThatSaves) {
  Main().AddToReopenList(Feed("gone.xml"));
  std::remove(File("gone.xml").c_str());
  Main().ReopenMenu()->actions().front()->trigger();
  TMDIChild& child = *Main().ActiveChild();
  EXPECT_EQ(child.Caption(), Q(File("gone.xml")));
  EXPECT_EQ(child.ItemCDS().RecordCount(), 0);
  DefineChannel(child);
  Main().FileSaveExecute();
  EXPECT_TRUE(prompts_.log.filter("save: ").isEmpty());
  EXPECT_NE(ReadFile(File("gone.xml")).find("My feed"), std::string::npos);
}

TEST_F(MainWindowTest, CloseDownOrderOfTheReopenList) {
  const QString a = Feed("a.xml"), b = Feed("b.xml");
  Main().OpenDocument(b);
  Main().OpenDocument(a);
  Main().FileNewExecute();
  Main().workspace()->setActiveSubWindow(Main().Children().at(1));  // a
  ASSERT_EQ(Main().ActiveChild()->Caption(), a);
  EXPECT_TRUE(Main().close());
  EXPECT_EQ(Reopen(), (std::vector<std::string>{S(b), S(a)}));
}

TEST_F(MainWindowTest, ClosingAskesEachChangedDocumentAndCancelKeepsEverythingOpen) {
  TMDIChild* a = Main().OpenDocument(Feed("a.xml"));
  TMDIChild* b = Main().OpenDocument(Feed("b.xml"));
  a->RSSCDS().Edit();
  a->RSSCDS().SetText("copyright", "a changed");
  b->RSSCDS().Edit();
  b->RSSCDS().SetText("copyright", "b changed");
  prompts_.yes_no_cancel = {Prompts::Answer::kNo, Prompts::Answer::kCancel};
  EXPECT_FALSE(Main().close());
  EXPECT_EQ(Main().Children().size(), 2);
  EXPECT_FALSE(Settings().SectionExists("MainForm")) << "nothing is stored when one refuses";

  prompts_.yes_no_cancel = {Prompts::Answer::kNo, Prompts::Answer::kYes};
  EXPECT_TRUE(Main().close());
  EXPECT_NE(ReadFile(File("a.xml")).find("a changed"), std::string::npos)
      << "Yes for the window that is not active saves that window";
}

TEST_F(MainWindowTest, MainFormPlacement) {
  EXPECT_FALSE(Settings().SectionExists("MainForm"));
  {
    TMainForm first(paths_, prompts_, dialogs_);
    first.ShowMainWindow();
    EXPECT_TRUE(first.isMaximized()) << "no settings: maximized";
    EXPECT_TRUE(first.ShowStartup());
    first.close();
  }
  EXPECT_EQ(Settings().ReadSection("MainForm"), std::vector<std::string>{"MainFormWindowState"});
  EXPECT_EQ(Settings().ReadInteger("MainForm", "MainFormWindowState", -1), 2);

  auto settings = Settings();
  settings.WriteInteger("MainForm", "MainFormWindowState", 0);
  settings.WriteInteger("MainForm", "MainFormTop", 40);
  settings.WriteInteger("MainForm", "MainFormLeft", 30);
  settings.WriteInteger("MainForm", "MainFormWidth", 640);
  settings.WriteInteger("MainForm", "MainFormHeight", 480);
  settings.WriteBool("General", "ShowStartup", false);
  {
    TMainForm second(paths_, prompts_, dialogs_);
    EXPECT_EQ(second.geometry(), QRect(30, 40, 640, 480));
    EXPECT_FALSE(second.ShowStartup());
    second.ShowMainWindow();
    second.showMaximized();
    second.close();
  }
  EXPECT_EQ(Settings().ReadInteger("MainForm", "MainFormWindowState", -1), 2);
  EXPECT_EQ(Settings().ReadInteger("MainForm", "MainFormWidth", -1), 640)
      << "a maximized window keeps the stored placement";
}

TEST_F(MainWindowTest, ChildFormPlacement) {
  TMDIChild* child = Main().OpenDocument(Feed("a.xml"));
  EXPECT_TRUE(child->isMaximized()) << "no settings: maximized";
  child->close();
  ProcessEvents();
  EXPECT_EQ(Settings().ReadInteger("ChildForm", "ChildFormWindowState", -1), 2);
  EXPECT_FALSE(Settings().ReadSection("ChildForm").empty());
  for (const std::string& key : Settings().ReadSection("ChildForm")) {
    EXPECT_TRUE(key == "ChildFormWindowState" || key == "ColWidths") << key;
  }

  auto settings = Settings();
  settings.WriteInteger("ChildForm", "ChildFormWindowState", 0);
  settings.WriteInteger("ChildForm", "ChildFormTop", 10);
  settings.WriteInteger("ChildForm", "ChildFormLeft", 20);
  settings.WriteInteger("ChildForm", "ChildFormWidth", 400);
  settings.WriteInteger("ChildForm", "ChildFormHeight", 300);
  child = Main().OpenDocument(Q(File("a.xml")));
  EXPECT_FALSE(child->isMaximized());
  EXPECT_EQ(child->geometry(), QRect(20, 10, 400, 300));
  child->setGeometry(25, 15, 410, 310);
  child->close();
  ProcessEvents();
  EXPECT_EQ(Settings().ReadInteger("ChildForm", "ChildFormLeft", -1), 25);
  EXPECT_EQ(Settings().ReadInteger("ChildForm", "ChildFormHeight", -1), 310);
}

TEST_F(MainWindowTest, ItemCountAndStatusPanels) {
  EXPECT_EQ(Main().StatusText(1), "");
  Main().OpenDocument(Feed("a.xml"));
  EXPECT_EQ(Main().StatusText(1), "Item Count: 3");
  Main().FileNewExecute();
  EXPECT_EQ(Main().StatusText(1), "Item Count: 0");
  QStatusTipEvent tip("Create a new file");
  QApplication::sendEvent(&Main(), &tip);
  EXPECT_EQ(Main().StatusText(0), "Create a new file");
  EXPECT_EQ(Main().Command("FileNew")->statusTip(), "Create a new file");
  EXPECT_EQ(Main().Command("FileNew")->toolTip(), "New");
}

TEST_F(MainWindowTest, EnablingRulesFollowTheActiveDocument) {
  Main().UpdateActions();
  for (const char* name : {"FileClose", "FileSave", "FileSaveAs", "FileUpload", "ItemsCopy",
                           "ItemsDelete", "ItemsPaste", "WindowCascade"}) {
    EXPECT_FALSE(Main().Command(name)->isEnabled()) << name;
  }
  for (const char* name : {"FileNew", "FileOpen", "FileExit", "FileDownload", "HelpContent"}) {
    EXPECT_TRUE(Main().Command(name)->isEnabled()) << name;
  }
  Main().OpenDocument(Feed("a.xml"));
  Main().UpdateActions();
  for (const char* name : {"FileClose", "FileSave", "FileSaveAs", "FileUpload", "ItemsCopy",
                           "ItemsDelete", "WindowCascade"}) {
    EXPECT_TRUE(Main().Command(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(Main().Command("ItemsPaste")->isEnabled()) << "the buffer is empty";
  Main().ItemsCopyExecute();
  Main().UpdateActions();
  EXPECT_TRUE(Main().Command("ItemsPaste")->isEnabled());
}

TEST_F(MainWindowTest, UploadHandsOnTheDocumentsText) {
  TMDIChild* child = Main().OpenDocument(Feed("a.xml"));
  Main().FileUploadExecute();
  ASSERT_EQ(transfer_.uploaded.size(), 1u);
  EXPECT_EQ(transfer_.uploaded[0], child->GetRSSText());
  EXPECT_EQ(child->Caption(), Q(File("a.xml")));
  EXPECT_FALSE(child->Modified());
}

TEST_F(MainWindowTest, ItemsCopyPasteAndDelete) {
  TMDIChild* source = Main().OpenDocument(
      Feed("src.xml",
           "<rss version=\"2.0\" xmlns:x=\"urn:x\"><channel><title>T</title><link>L</link>"
           "<description>D</description><item><title>one</title><x:extra>kept</x:extra></item>"
           "</channel></rss>"));
  Main().ItemsCopyExecute();
  TMDIChild* target = Main().OpenDocument(Feed("dst.xml"));
  Main().ItemsPasteExecute();
  EXPECT_EQ(target->ItemCDS().RecordCount(), 4);
  const std::string text = target->GetRSSText();
  EXPECT_NE(text.find("<x:extra>kept</x:extra>"), std::string::npos) << text;
  (void)source;

  prompts_.confirmations = {false};
  Main().ItemsDeleteExecute();
  EXPECT_EQ(prompts_.log.back(), "confirm: Are you sure you want to delete selected item(s)?");
  EXPECT_EQ(target->ItemCDS().RecordCount(), 4);

  Main().FileNewExecute();
  Main().UpdateActions();
  Main().Command("ItemsPaste")->trigger();
  EXPECT_EQ(prompts_.Errors(), QStringList{"error: Before adding items you must define channel!"});
}

TEST_F(MainWindowTest, WindowMenuListsAndArrangesTheDocuments) {
  Main().OpenDocument(Feed("a.xml"));
  Main().OpenDocument(Feed("b.xml"));
  for (QMdiSubWindow* window : Main().workspace()->subWindowList()) window->showNormal();
  emit Main().WindowMenu()->aboutToShow();
  QStringList entries;
  for (QAction* action : Main().WindowMenu()->actions()) {
    if (!action->isSeparator()) entries << action->text();
  }
  ASSERT_EQ(entries.size(), 7);
  EXPECT_EQ(entries.mid(0, 5), (QStringList{"Cascade", "Tile Horizontally", "Tile Vertically",
                                            "Minimize All", "Arrange All"}));
  EXPECT_EQ(entries[5], "&1 " + Q(File("a.xml")));

  Main().TileHorizontally();
  const auto windows = Main().workspace()->subWindowList();
  EXPECT_EQ(windows[0]->geometry().left(), windows[1]->geometry().left());
  EXPECT_LT(windows[0]->geometry().top(), windows[1]->geometry().top());
  Main().TileVertically();
  EXPECT_EQ(windows[0]->geometry().top(), windows[1]->geometry().top());
  EXPECT_LT(windows[0]->geometry().left(), windows[1]->geometry().left());
  Main().MinimizeAll();
  EXPECT_TRUE(windows[0]->isMinimized() && windows[1]->isMinimized());

  QList<QAction*> actions = Main().WindowMenu()->actions();
  emit Main().WindowMenu()->aboutToShow();
  Main().WindowMenu()->actions().back()->trigger();
  EXPECT_EQ(Main().ActiveChild()->Caption(), Q(File("b.xml")));
}

TEST_F(MainWindowTest, IconsComeFromTheDataFolderAndMissingOnesMoveUp) {
  EXPECT_EQ(Main().IconCount(), 13);
  paths_.data_folder = dir_.path();  // no icons here
  TMainForm bare(paths_, prompts_, dialogs_);
  EXPECT_EQ(bare.IconCount(), 0);
  EXPECT_TRUE(bare.Command("FileNew")->icon().isNull());
}

}  // namespace
}  // namespace quillcast
