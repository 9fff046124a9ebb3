// A main window with scripted prompts and dialogs and settings of its own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "common/AppPaths.h"
#include "common/ProfileFile.h"
#include "common/qt/QtText.h"
#include "feed/ui/CHILDWIN.h"
#include "shell/MAIN.h"
#include "support/Scripted.h"
#include "support/TempDir.h"

// Readable QStrings in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace quillcast::testing {

class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindowFixture() {
    paths_.settings_folder = dir_.path();
    paths_.data_folder = QUILLCAST_RESOURCES;
  }

  TMainForm& Main() {
    if (!main_) {
      main_ = std::make_unique<TMainForm>(paths_, prompts_, dialogs_);
      main_->SetTransfer(&transfer_);
      main_->resize(1000, 700);
      main_->show();
    }
    return *main_;
  }

  ProfileFile Settings() const { return ProfileFile(paths_.SettingsFile()); }
  std::string File(const char* name) const { return dir_.File(name); }

  // Types into a box as a person does, then presses Enter.
  static void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }

  static void DefineChannel(TMDIChild& child) {
    Type(child.BoxOf("title"), "My feed");
    Type(child.BoxOf("link"), "http://example.org/");
    Type(child.BoxOf("description"), "About it");
  }

  // Runs what is queued, closed windows' deletion included.
  void ProcessEvents() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  TempDir dir_;
  AppPaths paths_;
  ScriptedPrompts prompts_;
  ScriptedDialogs dialogs_;
  FakeTransfer transfer_;
  std::unique_ptr<TMainForm> main_;
};

inline constexpr char kSmallFeed[] =
    "<rss version=\"2.0\"><channel><title>T</title><link>http://e/</link>"
    "<description>D</description>"
    "<item><title>old</title><pubDate>Mon, 05 Jan 2004 13:45:07 GMT</pubDate></item>"
    "<item><title>new</title><pubDate>Wed, 05 Jan 2005 13:45:07 GMT</pubDate></item>"
    "<item><title>middle</title><pubDate>Tue, 01 Jun 2004 00:00:00 GMT</pubDate></item>"
    "</channel></rss>";

}  // namespace quillcast::testing
