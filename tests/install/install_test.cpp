// `cmake --install` into a temporary prefix, and every program run from there as a user runs
// it: the layout (the program folder holds what the build's does, launchers lead into it), the
// validators of the desktop entry, the metainfo and the manual pages, the command-line tool
// through its launcher reading the user's own format files before the installed ones, and the
// window programs on an X server of the test's own (Xvfb with openbox) finding their program
// folder through the launcher. Screenshots go to TRIMORA_SCREENSHOT_DIR when it is set.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "formats/format_tables.h"
#include "installed_programs.h"
#include "platform/instance.h"
#include "platform/version.h"
#include "tables/table_file.h"
#include "x_session.h"

using trimora::test::Finished;
using trimora::test::RunProgram;
using trimora::test::WriteMarkedFolder;
using trimora::test::XSession;

namespace {

const QString kBuildDir = QStringLiteral(TRIMORA_BUILD_DIR);
const QString kProgramDir = QStringLiteral(TRIMORA_PROGRAM_DIR);
const QString kAppId = QStringLiteral(TRIMORA_APP_ID);
const QString kPhotos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos");
// How long a window may take to appear on a busy machine.
constexpr int kPatience = 20000;

// Every file and link below `root`, as paths relative to it.
QStringList FilesBelow(const QString& root) {
  QStringList files;
  QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
  files.sort();
  return files;
}

QByteArray Checksum(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// The value of `key` in the [Desktop Entry] group of a desktop entry.
QString DesktopValue(const QString& path, const QString& key) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  for (const QString& line : lines) {
    if (line.startsWith(key + QLatin1Char('='))) return line.mid(key.size() + 1);
  }
  return {};
}

}  // namespace

class InstallTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir prefixDir_;
  QString prefix_;
  QTemporaryDir folders_;
  QString config_, runtime_, data_;
  std::unique_ptr<XSession> x_;
  std::vector<std::unique_ptr<QProcess>> programs_;

  QString Installed(const QString& path) const { return prefix_ + QLatin1Char('/') + path; }
  QString ProgramFolder() const { return Installed(QStringLiteral(TRIMORA_INSTALL_PROGRAM_DIR)); }

  // The environment of a program run by the user of this test, with private folders.
  QProcessEnvironment UserEnvironment() const {
    QProcessEnvironment environment =
        x_ ? x_->Environment({config_, runtime_, data_}) : QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config_);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data_);
    // The window programs write "painted" on standard output once their window is painted, as
    // the start-up benchmarks read it.
    environment.insert(QStringLiteral("TRIMORA_PAINTED_MARK"), QStringLiteral("1"));
    return environment;
  }

  // Starts a window program on the test's display.
  QProcess* Start(const QString& program, const QStringList& arguments = {}) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(UserEnvironment());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, arguments);
    programs_.push_back(std::move(process));
    return programs_.back().get();
  }
  void StopAll() {
    for (const char* name : {"TKvMainForm", "TBrevioDialog", "THelpDialog"}) {
      if (trimora::FindWindowByClass(name))
        trimora::PostMessageToClass(name, trimora::kCloseMessage, 0);
    }
    for (auto& process : programs_) {
      if (process->state() != QProcess::NotRunning && !process->waitForFinished(10000))
        process->kill();
      process->waitForFinished(2000);
    }
    programs_.clear();
  }

  // Writes a source folder whose one marked picture is enlarged with side stripes to the
  // side ratio of scalable format 1, as PNG. The result's sides tell which format was read.
  static bool WriteEnlargedFolder(const QString& folder) {
    trimora::CuttingRecord record;
    record.x = 0;
    record.y = 0;
    record.width = 600;
    record.height = 450;
    record.formatId = 1;
    record.blockSize = 1;
    record.fileType = "PNG";
    record.enlarge = true;
    return WriteMarkedFolder(folder, kPhotos + QStringLiteral("/plain-landscape.jpg"), record);
  }

  // Runs the installed "trimora crop" over such a folder and returns the long over the short
  // side of the written picture; 0 when nothing was written.
  double CroppedRatio(const QString& name) {
    const QString source = folders_.filePath(name + QStringLiteral("-quelle"));
    const QString target = folders_.filePath(name + QStringLiteral("-ziel"));
    if (!WriteEnlargedFolder(source)) return 0;
    QDir().mkpath(target);
    const Finished run = RunProgram(Installed(QStringLiteral("bin/trimora")),
                                    {QStringLiteral("crop"), source, target}, UserEnvironment());
    if (run.exitCode != 0) qWarning("%s", qPrintable(run.err));
    const QImage written(target + QStringLiteral("/bild.PNG"));
    if (written.isNull()) return 0;
    return static_cast<double>(std::max(written.width(), written.height())) /
           std::min(written.width(), written.height());
  }

 private slots:
  void initTestCase() {
    for (const char* tool : {"desktop-file-validate", "appstreamcli", "man", "Xvfb", "openbox",
                             "xdotool", "xprop", "xwininfo", "import"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
        QFAIL(qPrintable(QStringLiteral("The tool %1 is missing (scripts/setup installs it).")
                             .arg(QString::fromLatin1(tool))));
    }
    QVERIFY(prefixDir_.isValid());
    prefix_ = prefixDir_.path();
    const Finished install =
        RunProgram(QStringLiteral(TRIMORA_CMAKE),
                   {QStringLiteral("--install"), kBuildDir, QStringLiteral("--prefix"), prefix_});
    QVERIFY2(install.exitCode == 0, qPrintable(install.out + install.err));

    config_ = folders_.filePath(QStringLiteral("config"));
    runtime_ = folders_.filePath(QStringLiteral("runtime"));
    data_ = folders_.filePath(QStringLiteral("data"));
    for (const QString& folder : {config_, runtime_, data_}) QVERIFY(QDir().mkpath(folder));
    QFile::setPermissions(runtime_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // This process posts to the programs' sockets.
    qputenv("XDG_RUNTIME_DIR", runtime_.toUtf8());
  }
  void cleanup() { StopAll(); }
  void cleanupTestCase() { x_.reset(); }

  void theProgramFolderHoldsWhatTheBuildsDoesAndNothingElse() {
    const QStringList built = FilesBelow(kProgramDir);
    QCOMPARE(FilesBelow(ProgramFolder()), built);
    for (const char* name : {"Trimora2", "trimora", "Brevio", "Help", "skalierbare Formate.dat",
                             "nicht skalierbare Formate.dat", "Hilfe/Kurzanleitung.html",
                             "Hilfe/Bilder/hauptfenster.png", "libOrnamo.so.8", "OrnamoDemo"}) {
      QVERIFY2(built.contains(QString::fromUtf8(name)), name);
    }
    for (const QString& file : built) {
      const QString source = kProgramDir + QLatin1Char('/') + file;
      const QFileInfo installed(ProgramFolder() + QLatin1Char('/') + file);
      if (QFileInfo(source).isSymLink()) {
        QCOMPARE(QFile::symLinkTarget(installed.filePath()),
                 ProgramFolder() + QLatin1Char('/') +
                     QFileInfo(QFile::symLinkTarget(source)).fileName());
      } else if (file.startsWith(QStringLiteral("lib")) && file.contains(QStringLiteral(".so"))) {
        // Libraries: their search path is rewritten ("$ORIGIN"), so only their presence counts.
        QVERIFY2(installed.isFile(), qPrintable(file));
      } else if (QFileInfo(source).isExecutable()) {
        QVERIFY2(installed.isExecutable(), qPrintable(file));
      } else {
        QVERIFY2(Checksum(installed.filePath()) == Checksum(source), qPrintable(file));
      }
    }
    // The main program keeps its version record, which names the settings key of both programs.
    QCOMPARE(QString::fromStdString(trimora::FileVersion(
                 (ProgramFolder() + QStringLiteral("/Trimora2")).toStdString())),
             QStringLiteral(TRIMORA_VERSION));
  }

  void theLaunchersAreRelativeLinksIntoTheProgramFolder() {
    const std::pair<QString, QString> launchers[] = {
        {QStringLiteral("bin/trimora"), QStringLiteral("trimora")},
        {QStringLiteral("bin/trimora2"), QStringLiteral("Trimora2")}};
    for (const auto& [launcher, program] : launchers) {
      const QFileInfo link(Installed(launcher));
      QVERIFY2(link.isSymLink(), qPrintable(launcher));
      QVERIFY2(std::filesystem::read_symlink(QFile::encodeName(link.filePath()).toStdString())
                   .is_relative(),
               qPrintable(launcher));
      QCOMPARE(link.canonicalFilePath(),
               QFileInfo(ProgramFolder() + QLatin1Char('/') + program).canonicalFilePath());
    }
    // Moved as a whole, the tree still works.
    QTemporaryDir moved;
    const Finished copy = RunProgram(
        QStringLiteral("cp"), {QStringLiteral("-a"), prefix_ + QStringLiteral("/."), moved.path()});
    QCOMPARE(copy.exitCode, 0);
    const Finished version =
        RunProgram(moved.filePath(QStringLiteral("bin/trimora")), {QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("trimora " TRIMORA_VERSION "\n"));
  }

  void theDesktopEntryMetainfoAndManualPagesPassTheirValidators() {
    const QString entry =
        Installed(QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"));
    const Finished desktop = RunProgram(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(desktop.exitCode == 0 && desktop.out.isEmpty(), qPrintable(desktop.out + desktop.err));

    const QString metainfo =
        Installed(QStringLiteral("share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"));
    const Finished appstream = RunProgram(QStringLiteral("appstreamcli"),
                                          {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                           QStringLiteral("--explain"), metainfo});
    QVERIFY2(appstream.exitCode == 0, qPrintable(appstream.out + appstream.err));
    QVERIFY2(!appstream.out.contains(QStringLiteral("W: ")), qPrintable(appstream.out));

    for (const char* page : {"trimora.1.gz", "trimora2.1.gz"}) {
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
      const Finished man =
          RunProgram(QStringLiteral("man"),
                     {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                      QStringLiteral("-l"),
                      Installed(QStringLiteral("share/man/man1/") + QLatin1String(page))},
                     environment);
      QVERIFY2(man.exitCode == 0 && man.err.isEmpty(), qPrintable(QLatin1String(page) + man.err));
      QVERIFY2(man.out.contains(QStringLiteral("BESCHREIBUNG")) &&
                   man.out.contains(QStringLiteral(TRIMORA_VERSION)),
               page);
    }
  }

  void theDesktopEntryNamesTheInstalledLauncherAndIcons() {
    const QString entry =
        Installed(QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"));
    QCOMPARE(DesktopValue(entry, QStringLiteral("Name")), QStringLiteral("Trimora 2"));
    QVERIFY(DesktopValue(entry, QStringLiteral("Comment")).contains(QStringLiteral("zuschneiden")));
    QVERIFY(
        DesktopValue(entry, QStringLiteral("Categories")).contains(QStringLiteral("Photography")));
    const QString exec =
        DesktopValue(entry, QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    QVERIFY2(QFileInfo(Installed(QStringLiteral("bin/") + exec)).isExecutable(), qPrintable(exec));
    QCOMPARE(DesktopValue(entry, QStringLiteral("Icon")), kAppId);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      const QString icon = Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) +
                                     kAppId + QStringLiteral(".png"));
      QCOMPARE(QImage(icon).size(), QSize(size, size));
    }
    QVERIFY(QFileInfo(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/") + kAppId +
                                QStringLiteral(".svg")))
                .isFile());
  }

  void theInstalledToolReadsTheUsersFormatFilesBeforeTheInstalledOnes() {
    const QString formatFolder = ProgramFolder() + QLatin1Char('/');
    const QByteArray scalableBefore =
        Checksum(formatFolder + QStringLiteral("skalierbare Formate.dat"));
    const QByteArray nonScalableBefore =
        Checksum(formatFolder + QStringLiteral("nicht skalierbare Formate.dat"));

    // No user copy: the installed "10 x 15" (1.5) is format 1.
    QVERIFY(qAbs(CroppedRatio(QStringLiteral("installiert")) - 1.5) < 0.01);

    // The user's copy of the scalable formats with a panorama as format 1.
    const QString userFolder = data_ + QStringLiteral("/Halvorn/Trimora/");
    QVERIFY(QDir().mkpath(userFolder));
    trimora::Table scalable(trimora::ScalableFormatColumns());
    scalable.Append();
    scalable.WriteText(trimora::kFormatName, "Panorama");
    scalable.WriteInteger(trimora::kOptWidth, 3000);
    scalable.WriteInteger(trimora::kOptHeight, 1000);
    scalable.WriteInteger(trimora::kMinWidth, 1500);
    scalable.WriteInteger(trimora::kMinHeight, 500);
    trimora::SaveTableToFile(
        scalable, (userFolder + QStringLiteral("skalierbare Formate.dat")).toStdString());
    QVERIFY(qAbs(CroppedRatio(QStringLiteral("eigene")) - 3.0) < 0.01);

    // The installed files stay as shipped.
    QCOMPARE(Checksum(formatFolder + QStringLiteral("skalierbare Formate.dat")), scalableBefore);
    QCOMPARE(Checksum(formatFolder + QStringLiteral("nicht skalierbare Formate.dat")),
             nonScalableBefore);
    QDir(data_ + QStringLiteral("/Halvorn")).removeRecursively();
  }

  void theWindowProgramsFindTheirProgramFolderThroughTheLauncher() {
    x_ = std::make_unique<XSession>(QStringLiteral("install-"));
    QVERIFY2(x_->Start(true), "Xvfb with openbox did not start");
    QDir(config_).removeRecursively();
    QDir().mkpath(config_);

    // The first start opens the guide (Brevio beside the program, its guide in "Hilfe/").
    Start(Installed(QStringLiteral("bin/trimora2")));
    const QString mainWindow = x_->WaitForWindow(QStringLiteral("^  Trimora 2$"), kPatience);
    QVERIFY(!mainWindow.isEmpty());
    const QString guide = x_->WaitForWindow(QStringLiteral("Kurzanleitung:"), kPatience);
    QVERIFY(!guide.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(x_->Property(guide, QStringLiteral("_NET_WM_NAME")),
                              QStringLiteral("\"  Kurzanleitung:  Trimora 2\""), kPatience);

    // The desktop entry's StartupWMClass is the class of the main window.
    const QString entry =
        Installed(QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"));
    const QString wmClass = x_->Property(mainWindow, QStringLiteral("WM_CLASS"));
    QCOMPARE(wmClass.section(QStringLiteral(", "), 1).remove(QLatin1Char('"')),
             DesktopValue(entry, QStringLiteral("StartupWMClass")));

    // F1: the help program beside it, with its pages.
    x_->Tool(QStringLiteral("xdotool"),
             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), mainWindow});
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F1")});
    const QString help = x_->WaitForWindow(QStringLiteral("Hilfe:"), kPatience);
    QVERIFY(!help.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(x_->Property(help, QStringLiteral("_NET_WM_NAME")),
                              QStringLiteral("\"  Hilfe:  Inhalt\""), kPatience);
    x_->Screenshot(QStringLiteral("installed-main-guide-help"),
                   QRect(0, 0, XSession::kScreenWidth, XSession::kScreenHeight));
  }

  void theMenuLibrarysDemoHostLoadsItBesideItself() {
    QVERIFY(x_);
    QProcess* demo = Start(ProgramFolder() + QStringLiteral("/OrnamoDemo"));
    const QString window = x_->WaitForWindow(QStringLiteral("Ornamo-Vorf"), kPatience);
    QVERIFY(!window.isEmpty());
    // The demo's own window, not the box that says the library could not be loaded.
    QCOMPARE(x_->Property(window, QStringLiteral("_NET_WM_WINDOW_TYPE")),
             QStringLiteral("_NET_WM_WINDOW_TYPE_NORMAL"));
    x_->Screenshot(QStringLiteral("ornamo-demo"), x_->Geometry(window));
    demo->terminate();
    QVERIFY(demo->waitForFinished(kPatience));
  }

  void aFolderOrPictureGivenAtStartOrToTheRunningInstanceIsOpened() {
    QVERIFY(x_);
    StopAll();
    // Three pictures; the one named is shown (the first is shown while the strip starts).
    const QString given = folders_.filePath(QStringLiteral("beim-start"));
    QVERIFY(QDir().mkpath(given));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      QVERIFY(QFile::copy(kPhotos + QStringLiteral("/plain-landscape.jpg"),
                          given + QLatin1Char('/') + QLatin1String(name)));
    QProcess* main =
        Start(Installed(QStringLiteral("bin/trimora2")), {given + QStringLiteral("/c.jpg")});
    const QString window = x_->WaitForWindow(QStringLiteral("^  Trimora 2$"), kPatience);
    QVERIFY(!window.isEmpty());
    // A start at a saved window place reports its first paint too.
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += main->readAllStandardOutput()).contains("painted\n"),
                             kPatience);

    // A later start hands its folder over, ends at once and opens no window of its own.
    const QString later = folders_.filePath(QStringLiteral("uebergeben"));
    QVERIFY(QDir().mkpath(later));
    QVERIFY(QFile::copy(kPhotos + QStringLiteral("/plain-portrait.jpg"),
                        later + QStringLiteral("/hoch.jpg")));
    QTest::qWait(6000);  // the first folder's strip is complete
    x_->Screenshot(QStringLiteral("opened-at-start"), x_->Geometry(window));
    const Finished second =
        RunProgram(Installed(QStringLiteral("bin/trimora2")), {later}, UserEnvironment());
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(x_->Windows(QStringLiteral("^  Trimora 2$")).size(), 1);
    // Leaving the first folder wrote its cutting data: "c.jpg" was shown, "b.jpg" never.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(given + QStringLiteral("/CroppingData.kv2")),
                             kPatience);
    const auto records =
        trimora::LoadCuttingData((given + QStringLiteral("/CroppingData.kv2")).toStdString());
    QCOMPARE(records.size(), std::size_t{3});
    QVERIFY(records[2].Shown());
    QVERIFY(!records[1].Shown());

    // A path that does not exist: the running window says so in its own box.
    const Finished missing =
        RunProgram(Installed(QStringLiteral("bin/trimora2")),
                   {folders_.filePath(QStringLiteral("fehlt"))}, UserEnvironment());
    QCOMPARE(missing.exitCode, 0);
    const QString error = x_->WaitForWindow(QStringLiteral("Fehler"), kPatience);
    QVERIFY(!error.isEmpty());
    x_->Screenshot(QStringLiteral("handed-over-missing"), x_->Geometry(error));
    x_->Tool(QStringLiteral("xdotool"),
             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), error});
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    QTRY_VERIFY_WITH_TIMEOUT(x_->Windows(QStringLiteral("Fehler")).isEmpty(), kPatience);

    // Closing writes the cutting data of the folder handed over.
    QTest::qWait(3000);
    QVERIFY(trimora::PostMessageToClass("TKvMainForm", trimora::kCloseMessage, 0));
    QVERIFY(main->waitForFinished(kPatience));
    QVERIFY(QFileInfo::exists(later + QStringLiteral("/CroppingData.kv2")));
  }

  void theWindowProgramAnswersHelpAndVersionAndRefusesWrongCalls() {
    const QString program = Installed(QStringLiteral("bin/trimora2"));
    const Finished help = RunProgram(program, {QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith(QStringLiteral("Aufruf: trimora2 [VERZEICHNIS | BILD]\n")));
    const Finished version = RunProgram(program, {QStringLiteral("--version")});
    QCOMPARE(version.out, QStringLiteral("Trimora2 " TRIMORA_VERSION "\n"));
    const Finished wrong = RunProgram(program, {QStringLiteral("--bunt")});
    QCOMPARE(wrong.exitCode, 2);
    QVERIFY(wrong.err.startsWith(QStringLiteral("trimora2: unbekannte Option \"--bunt\"\n")));
  }
};

QTEST_GUILESS_MAIN(InstallTest)

#include "install_test.moc"
