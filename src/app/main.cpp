// The program: start-up order, the event loop, and the files named on the command line.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QFileInfo>
#include <cstdio>

#include "common/AppPaths.h"
#include "common/ResourceStr.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/Prompts.h"
#include "editors/EditorsService.h"
#include "shell/MAIN.h"

int main(int argc, char** argv) {
  using namespace quillcast;
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillcast");
  QApplication::setApplicationDisplayName(res::kAppTitle);
  QApplication::setApplicationVersion(QUILLCAST_VERSION);
  QApplication::setOrganizationName("Orvel");

  QCommandLineParser parser;
  parser.setApplicationDescription("Orvel Quillcast, an editor for RSS 2.0 feed files.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("files", "Feed files to open.", "[FILE...]");
  parser.process(application);

  const AppPaths paths = AppPaths::ForThisProcess();
  QtPrompts prompts;
  EditorsService editors(paths, prompts);
  TMainForm main_form(paths, prompts, editors);
  prompts.SetParent(&main_form);
  main_form.ShowMainWindow();

  // Files named on the command line open once start-up is done.
  const QStringList files = parser.positionalArguments();
  QTimer::singleShot(0, &main_form, [&] {
    for (const QString& file : files) {
      Guarded(prompts, [&] { main_form.OpenDocument(QFileInfo(file).absoluteFilePath()); });
    }
  });
  return QApplication::exec();
}
