// The program: start-up order, the event loop, and the files named on the command line.
#include "shell/MAIN.h"

#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <memory>

#include "common/AppPaths.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/Prompts.h"
#include "common/qt/QtText.h"
#include "editors/EditorsService.h"
#include "editors/HTMLPreviewUnit.h"
#include "editors/INSPECTOR.h"
#include "shell/StartUnit.h"
#include "transfer/InternetDMUnit.h"
#include "transfer/TransferService.h"

int main(int argc, char** argv) {
  using namespace quillcast;
  // The browser engine refuses to run its sandbox as root; root users get a preview all the same.
  if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillcast");
  QApplication::setApplicationVersion(QUILLCAST_VERSION);
  QApplication::setOrganizationName("Orvel");

  QCommandLineParser parser;
  parser.setApplicationDescription("Orvel Quillcast, an editor for RSS 2.0 feed files.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("files", "Feed files to open.", "[FILE...]");
  parser.process(application);

  const AppPaths paths = AppPaths::ForThisProcess();
  QApplication::setWindowIcon(QIcon(Q(paths.data_folder + "/quillcast.svg")));
  QtPrompts prompts;
  EditorsService editors(paths, prompts);
  TMainForm main_form(paths, prompts, editors);
  prompts.SetParent(&main_form);

  // The transfer service comes after the main window and the find dialog.
  TInternetDM internet;
  TransferService transfer(paths, prompts, internet, &main_form);
  main_form.SetTransfer(&transfer);

  // The preview may fail to come up; the editor then runs without it.
  std::unique_ptr<THTMLPreviewForm> preview;
  try {
    preview = std::make_unique<THTMLPreviewForm>(paths.SettingsFile(), &main_form);
  } catch (const std::exception&) {
    preview.reset();
  }
  editors.SetPreview(preview.get());
  auto inspector =
      std::make_unique<TItemInspectorForm>(paths.SettingsFile(), prompts, editors, &main_form);
  main_form.SetToolWindows(inspector.get(), preview.get());
  main_form.ShowMainWindow();

  // Files named on the command line take the place of the startup dialog.
  const QStringList files = parser.positionalArguments();
  if (main_form.ShowStartup() && files.isEmpty()) {
    const auto guard = [&](const std::function<void()>& action) {
      return Guarded(prompts, action);
    };
    TStartForm start(paths.SettingsFile(), main_form.Icons(),
                     {[&] { main_form.FileNewExecute(); }, [&] { main_form.FileOpenExecute(); },
                      [&] { main_form.FileDownloadExecute(); },
                      [&](const QString& path) { main_form.OpenDocument(path); }},
                     guard, &main_form);
    start.exec();
  }

  // Files named on the command line open once start-up is done.
  QTimer::singleShot(0, &main_form, [&] {
    for (const QString& file : files) {
      Guarded(prompts, [&] { main_form.OpenDocument(QFileInfo(file).absoluteFilePath()); });
    }
  });
  const int status = QApplication::exec();
  main_form.SetToolWindows(nullptr, nullptr);
  main_form.SetTransfer(nullptr);
  return status;
}
