// Scripted stand-ins for the message boxes, file pickers, editing dialogs and transfers, so UI
// tests can answer them and see what was asked.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/qt/Prompts.h"
#include "feed/ui/EditDialogs.h"
#include "shell/FeedTransfer.h"

namespace quillcast::testing {

class ScriptedPrompts : public Prompts {
 public:
  // Everything shown or asked, in order: "error: ...", "confirm: ...", "open: title" ...
  QStringList log;
  std::deque<Answer> yes_no_cancel;  // default: Cancel
  std::deque<bool> confirmations;    // Confirm and OK/Cancel questions; default: false
  std::deque<QString> files;         // an empty path, or none left: cancelled

  void ShowError(const QString& message) override { log << "error: " + message; }
  void ShowMessage(Kind, const QString& text) override { log << "message: " + text; }
  bool Confirm(const QString& text) override {
    log << "confirm: " + text;
    return Next(confirmations, false);
  }
  Answer AskYesNoCancel(const QString& text) override {
    log << "ask: " + text;
    return Next(yes_no_cancel, Answer::kCancel);
  }
  bool AskOkCancel(const QString& text) override {
    log << "okcancel: " + text;
    return Next(confirmations, false);
  }
  std::optional<QString> PickFileToOpen(const FileRequest& request) override {
    log << "open: " + request.filters.join(";");
    return NextFile();
  }
  std::optional<QString> PickFileToSave(const FileRequest& request) override {
    log << "save: " + request.title + " " + request.filters.join(";") + " ." +
               request.default_suffix;
    return NextFile();
  }
  QStringList Errors() const { return log.filter("error: "); }

 private:
  std::optional<QString> NextFile() {
    const QString file = Next(files, QString());
    if (file.isEmpty()) return std::nullopt;
    return file;
  }

  template <typename T>
  static T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

class ScriptedDialogs : public EditDialogs {
 public:
  // What each picker was handed, and the answer it gives (nothing: cancelled).
  std::vector<std::string> asked;
  std::optional<std::string> answer;

  bool GetText(std::string& text) override { return Answer("text", text); }
  bool GetDateTime(std::string& text) override { return Answer("date", text); }
  bool GetSkipDays(std::string& text) override { return Answer("days", text); }
  bool GetSkipHours(std::string& text) override { return Answer("hours", text); }
  void PreviewURL(const std::string& url) override { asked.push_back("preview " + url); }

 private:
  bool Answer(const char* kind, std::string& text) {
    asked.push_back(std::string(kind) + " " + text);
    if (!answer) return false;
    text = *answer;
    return true;
  }
};

class FakeTransfer : public FeedTransfer {
 public:
  std::vector<std::string> uploaded;
  std::optional<std::string> download;

  void UploadFeed(const std::string& rss_text) override { uploaded.push_back(rss_text); }
  std::optional<std::string> DownloadFeed() override { return download; }
  void ShowInternetSites() override { ++sites_shown; }
  int sites_shown = 0;
};

}  // namespace quillcast::testing
