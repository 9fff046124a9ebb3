// Opens a feed in a document window on the offscreen platform and measures what a person
// waits for: the first paint, a search that finds nothing, and one post of an edited item.
// Prints one "name seconds" line per figure (medians where repeated).
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/AppPaths.h"
#include "common/qt/Prompts.h"
#include "common/qt/QtText.h"
#include "editors/EditorsService.h"
#include "shell/MAIN.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillcast;
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_window FEED\n");
    return 2;
  }
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  QTemporaryDir settings;
  AppPaths paths{S(settings.path()), S(settings.path())};
  QtPrompts prompts;
  EditorsService editors(paths, prompts);
  TMainForm main_form(paths, prompts, editors);
  main_form.resize(1280, 800);
  main_form.show();
  QApplication::processEvents();

  QElapsedTimer timer;
  timer.start();
  TMDIChild* child = main_form.OpenDocument(QString::fromLocal8Bit(argv[1]));
  main_form.grab();  // paints the whole window once
  std::printf("first_paint %.4f\n", timer.nsecsElapsed() / 1e9);
  std::printf("items %d\n", child->ItemCDS().RecordCount());

  std::vector<double> searches;
  for (int i = 0; i < 7; ++i) {
    child->ItemCDS().First();
    timer.restart();
    const bool found = child->SearchItems("no such text anywhere", false, false, true);
    searches.push_back(timer.nsecsElapsed() / 1e9);
    if (found) return 1;
  }
  std::printf("search_miss_median %.4f\n", Median(searches));

  std::vector<double> posts;
  DataSet& items = child->ItemCDS();
  for (int i = 0; i < 25; ++i) {
    items.MoveTo((i * 3989) % items.RecordCount());
    timer.restart();
    items.Edit();
    items.SetText("title", "Edited " + std::to_string(i));
    items.SetText("pubDate", "Mon, 05 Jan 2004 13:45:07 GMT");
    items.Post();
    QApplication::processEvents();
    posts.push_back(timer.nsecsElapsed() / 1e9);
  }
  std::printf("post_median %.6f\n", Median(posts));
  std::fflush(stdout);
  std::_Exit(0);
}
