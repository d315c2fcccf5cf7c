// The real programs Brevio, Help and Trimora2 on an X server of their own (Xvfb with the
// openbox window manager, once without one), observed from outside with xdotool, xwininfo and
// xprop the way a user sees them: the viewer's place, its single instance, its two skins, its
// settings key without the main program, the help window's contexts and message 1029, and the
// main program starting the guide on its first run and closing both windows at its end.
// Screenshots go to TRIMORA_SCREENSHOT_DIR when it is set.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "guide/guide_place.h"
#include "help_page_titles.h"
#include "platform/instance.h"
#include "platform/settings.h"
#include "platform/version.h"
#include "x_session.h"

using trimora::guide::WindowPlace;

namespace {

const QString kProgramDir = QStringLiteral(TRIMORA_PROGRAM_DIR);
using trimora::test::XSession;
constexpr int kScreenWidth = XSession::kScreenWidth;
constexpr int kScreenHeight = XSession::kScreenHeight;
// How long a window may take to react on a busy machine.
constexpr int kPatience = 15000;

WindowPlace StoredPlace() {
  return {trimora::ReadIntSetting("Help\\Left", -1), trimora::ReadIntSetting("Help\\Top", -1),
          trimora::ReadIntSetting("Help\\Width", -1), trimora::ReadIntSetting("Help\\Height", -1)};
}

QRect Rect(const WindowPlace& p) { return {p.left, p.top, p.width, p.height}; }

}  // namespace

class GuideProgramsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folders_;
  QString config_, runtime_, data_;
  std::unique_ptr<XSession> x_;
  std::vector<std::unique_ptr<QProcess>> programs_;

  // Starts a program on the test's display.
  QProcess* Start(const QString& program, const QStringList& arguments = {}) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(x_->Environment({config_, runtime_, data_}));
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, arguments);
    programs_.push_back(std::move(process));
    return programs_.back().get();
  }
  static bool Ended(QProcess* process, int ms = 10000) {
    return process->state() == QProcess::NotRunning || process->waitForFinished(ms);
  }
  void StopAll() {
    for (const char* name : {"TKvMainForm", "TBrevioDialog", "THelpDialog"}) {
      if (trimora::FindWindowByClass(name))
        trimora::PostMessageToClass(name, trimora::kCloseMessage, 0);
    }
    for (auto& process : programs_) {
      if (!Ended(process.get(), 5000)) process->kill();
      process->waitForFinished(2000);
    }
    programs_.clear();
    QTRY_VERIFY_WITH_TIMEOUT(!trimora::FindWindowByClass("TBrevioDialog") &&
                                 !trimora::FindWindowByClass("THelpDialog") &&
                                 !trimora::FindWindowByClass("TKvMainForm"),
                             10000);
  }

 private slots:
  void initTestCase() {
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "import"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
        QFAIL(qPrintable(QStringLiteral("The tool %1 is missing (scripts/setup installs it).")
                             .arg(QString::fromLatin1(tool))));
    }
    config_ = folders_.filePath(QStringLiteral("config"));
    runtime_ = folders_.filePath(QStringLiteral("runtime"));
    data_ = folders_.filePath(QStringLiteral("data"));
    for (const QString& folder : {config_, runtime_, data_}) QDir().mkpath(folder);
    QFile::setPermissions(runtime_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // This process reads the programs' settings and posts to their sockets.
    qputenv("XDG_RUNTIME_DIR", runtime_.toUtf8());
    trimora::SetSettingsHomeForTesting(config_.toStdString());
    trimora::SetMainProgramFileForTesting(
        (kProgramDir + QStringLiteral("/Trimora2")).toStdString());
    x_ = std::make_unique<XSession>(QStringLiteral("guide-"));
    QVERIFY2(x_->Start(true), "Xvfb with openbox did not start");
  }
  void init() {
    QDir(config_).removeRecursively();
    QDir().mkpath(config_);
  }
  void cleanup() { StopAll(); }
  void cleanupTestCase() {
    x_.reset();
    trimora::SetMainProgramFileForTesting("");
    trimora::SetSettingsHomeForTesting("");
  }

  void theFirstStartIsCentredAndACloseRequestSavesThePlace() {
    QProcess* brevio = Start(kProgramDir + QStringLiteral("/Brevio"));
    const QString window = x_->WaitForWindow(QStringLiteral("Kurzanleitung:"));
    QVERIFY(!window.isEmpty());
    const QRect centred((kScreenWidth - 445) / 2, (kScreenHeight - 310) / 2, 445, 310);
    QTRY_COMPARE_WITH_TIMEOUT(x_->Geometry(window), centred, kPatience);
    QCOMPARE(x_->Property(window, QStringLiteral("_NET_WM_NAME")),
             QStringLiteral("\"  Kurzanleitung:  Trimora 2\""));
    // Frameless: the window manager adds no title bar of its own.
    QCOMPARE(x_->Property(window, QStringLiteral("_NET_FRAME_EXTENTS")),
             QStringLiteral("0, 0, 0, 0"));
    x_->Screenshot(QStringLiteral("brevio-fashion"), centred);
    QVERIFY(trimora::PostMessageToClass("TBrevioDialog", trimora::kCloseMessage, 0));
    QVERIFY(Ended(brevio));
    QCOMPARE(brevio->exitCode(), 0);
    QCOMPARE(Rect(StoredPlace()), centred);
  }

  void aMaximisedCloseStoresTheNormalPlaceAndTheNextStartRestoresIt() {
    const QRect normal(200, 150, 500, 400);
    trimora::WriteIntSetting("Help\\Left", normal.x());
    trimora::WriteIntSetting("Help\\Top", normal.y());
    trimora::WriteIntSetting("Help\\Width", normal.width());
    trimora::WriteIntSetting("Help\\Height", normal.height());
    QProcess* brevio = Start(kProgramDir + QStringLiteral("/Brevio"));
    QString window = x_->WaitForWindow(QStringLiteral("Kurzanleitung:"));
    QVERIFY(!window.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(x_->Geometry(window), normal, kPatience);
    // A double-click on the title maximises.
    x_->Tool(QStringLiteral("xdotool"),
             {QStringLiteral("mousemove"), QString::number(normal.x() + 150),
              QString::number(normal.y() + 15), QStringLiteral("click"), QStringLiteral("--repeat"),
              QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("80"),
              QStringLiteral("1")});
    QTRY_COMPARE_WITH_TIMEOUT(x_->Geometry(window), QRect(0, 0, kScreenWidth, kScreenHeight),
                              10000);
    x_->Screenshot(QStringLiteral("brevio-maximised"), QRect(0, 0, 800, 300));
    QVERIFY(trimora::PostMessageToClass("TBrevioDialog", trimora::kCloseMessage, 0));
    QVERIFY(Ended(brevio));
    QCOMPARE(Rect(StoredPlace()), normal);

    Start(kProgramDir + QStringLiteral("/Brevio"));
    window = x_->WaitForWindow(QStringLiteral("Kurzanleitung:"));
    QTRY_COMPARE_WITH_TIMEOUT(x_->Geometry(window), normal, kPatience);
  }

  void aSecondStartBringsTheFirstToTheFrontAndEnds() {
    QProcess* first = Start(kProgramDir + QStringLiteral("/Brevio"));
    QVERIFY(!x_->WaitForWindow(QStringLiteral("Kurzanleitung:")).isEmpty());
    // Another window comes on top and takes the keyboard.
    Start(kProgramDir + QStringLiteral("/Help"), {QStringLiteral("0")});
    QVERIFY(!x_->WaitForWindow(QStringLiteral("Hilfe:")).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(x_->ActiveTitle(), QStringLiteral("Hilfe:  Inhalt"), kPatience);

    QProcess* second = Start(kProgramDir + QStringLiteral("/Brevio"));
    QVERIFY(Ended(second));
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(x_->ActiveTitle(), QStringLiteral("Kurzanleitung:  Trimora 2"),
                              kPatience);
    QCOMPARE(x_->Windows(QStringLiteral("Kurzanleitung:")).size(), 1);
    QCOMPARE(first->state(), QProcess::Running);
  }

  void theStandardSkinGivesTheSystemTitleAndTheCancelKeyClosesAndSaves() {
    trimora::WriteBoolSetting("StandardSkin", true);
    QProcess* brevio = Start(kProgramDir + QStringLiteral("/Brevio"));
    const QString window = x_->WaitForWindow(QStringLiteral("Kurzanleitung:"));
    QVERIFY(!window.isEmpty());
    QCOMPARE(x_->Property(window, QStringLiteral("_NET_WM_NAME")),
             QStringLiteral("\"Kurzanleitung:  Trimora 2\""));
    // The window manager draws a title bar above the window (top extent) and a border.
    QTRY_VERIFY_WITH_TIMEOUT(!x_->Property(window, QStringLiteral("_NET_FRAME_EXTENTS")).isEmpty(),
                             kPatience);
    const QStringList extents =
        x_->Property(window, QStringLiteral("_NET_FRAME_EXTENTS")).split(QStringLiteral(", "));
    QCOMPARE(extents.size(), 4);
    QVERIFY2(extents[2].toInt() > 0, qPrintable(extents.join(QLatin1Char(','))));
    const QRect place = x_->Geometry(window);
    QCOMPARE(place.size(), QSize(445, 310));
    x_->Screenshot(QStringLiteral("brevio-standard"), place);
    QTRY_COMPARE_WITH_TIMEOUT(x_->ActiveTitle(), QStringLiteral("Kurzanleitung:  Trimora 2"),
                              kPatience);
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    QVERIFY(Ended(brevio));
    QCOMPARE(Rect(StoredPlace()).size(), QSize(445, 310));
  }

  void withoutAWindowManagerTheCancelKeyStillCloses() {
    XSession bare(QStringLiteral("guide-"));
    QVERIFY(bare.Start(false));
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(bare.Environment({config_, runtime_, data_}));
    process->start(kProgramDir + QStringLiteral("/Brevio"), {});
    const QString window = bare.WaitForWindow(QStringLiteral("Kurzanleitung:"));
    QVERIFY(!window.isEmpty());
    QCOMPARE(bare.Geometry(window), QRect(577, 445, 445, 310));
    bare.Tool(QStringLiteral("xdotool"),
              {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    bare.Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    QVERIFY(process->waitForFinished(10000));
    QCOMPARE(Rect(StoredPlace()), QRect(577, 445, 445, 310));
  }

  void withoutTheMainProgramBesideItTheSettingsGoUnderKey00() {
    QTemporaryDir lonely;
    QVERIFY(QFile::copy(kProgramDir + QStringLiteral("/Brevio"),
                        lonely.filePath(QStringLiteral("Brevio"))));
    QProcess* brevio = Start(lonely.filePath(QStringLiteral("Brevio")));
    const QString window = x_->WaitForWindow(QStringLiteral("Kurzanleitung:"));
    QVERIFY(!window.isEmpty());
    x_->Screenshot(QStringLiteral("brevio-without-guide"), x_->Geometry(window));
    QVERIFY(trimora::PostMessageToClass("TBrevioDialog", trimora::kCloseMessage, 0));
    QVERIFY(Ended(brevio));
    QFile key(config_ + QStringLiteral("/Halvorn/Trimora/0.0.ini"));
    QVERIFY(key.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(key.readAll());
    QVERIFY2(text.contains(QStringLiteral("[\\Software\\Halvorn\\Trimora\\0.0\\Help]")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\"Width\"=dword:000001bd")));
    QVERIFY(!QFile::exists(config_ + QStringLiteral("/Halvorn/Trimora/2.0.ini")));
  }

  void theHelpProgramShowsTheContextItWasGivenAndSwitchesOnMessage1029() {
    QProcess* help = Start(kProgramDir + QStringLiteral("/Help"), {QStringLiteral("60")});
    const QString window = x_->WaitForWindow(QStringLiteral("Hilfe:"));
    QVERIFY(!window.isEmpty());
    auto title = [&] { return x_->Property(window, QStringLiteral("_NET_WM_NAME")); };
    QCOMPARE(title(), QStringLiteral("\"  Hilfe:  Menü Auswahlgröße\""));
    x_->Screenshot(QStringLiteral("help-fashion"), x_->Geometry(window));
    for (const auto& [context, page] : trimora::testing::HelpPageTitles()) {
      QVERIFY(trimora::PostMessageToClass("THelpDialog", trimora::kHelpContextMessage, context));
      QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("\"  Hilfe:  %1\"").arg(page), kPatience);
    }
    // A second start hands its context to the open window and ends.
    QProcess* second = Start(kProgramDir + QStringLiteral("/Help"), {QStringLiteral("25")});
    QVERIFY(Ended(second));
    QCOMPARE(second->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("\"  Hilfe:  Häufig gestellte Fragen\""),
                              kPatience);
    QCOMPARE(x_->Windows(QStringLiteral("Hilfe:")).size(), 1);
    QVERIFY(trimora::PostMessageToClass("THelpDialog", trimora::kCloseMessage, 0));
    QVERIFY(Ended(help));
    QCOMPARE(help->exitCode(), 0);

    // A context that is no number gives the contents; the Standard skin the system title.
    trimora::WriteBoolSetting("StandardSkin", true);
    Start(kProgramDir + QStringLiteral("/Help"), {QStringLiteral("Hilfe")});
    const QString plain = x_->WaitForWindow(QStringLiteral("Hilfe:"));
    QVERIFY(!plain.isEmpty());
    QCOMPARE(x_->Property(plain, QStringLiteral("_NET_WM_NAME")),
             QStringLiteral("\"Hilfe:  Inhalt\""));
    x_->Screenshot(QStringLiteral("help-standard"), x_->Geometry(plain));
  }

  void theMainProgramStartsTheGuideOnItsFirstRunAndClosesBothWindowsAtItsEnd() {
    QProcess* main = Start(kProgramDir + QStringLiteral("/Trimora2"));
    const QString mainWindow = x_->WaitForWindow(QStringLiteral("^  Trimora 2$"), 20000);
    QVERIFY(!mainWindow.isEmpty());
    QVERIFY(!x_->WaitForWindow(QStringLiteral("Kurzanleitung:"), 20000).isEmpty());
    QVERIFY(trimora::FindWindowByClass("TBrevioDialog"));
    // F1 in the main window opens the help window with the contents.
    x_->Tool(QStringLiteral("xdotool"),
             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), mainWindow});
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F1")});
    const QString help = x_->WaitForWindow(QStringLiteral("Hilfe:"), 20000);
    QVERIFY(!help.isEmpty());
    QCOMPARE(x_->Property(help, QStringLiteral("_NET_WM_NAME")),
             QStringLiteral("\"  Hilfe:  Inhalt\""));
    x_->Screenshot(QStringLiteral("main-with-guide-and-help"),
                   QRect(0, 0, kScreenWidth, kScreenHeight));
    // Closing the main program closes both.
    QVERIFY(trimora::PostMessageToClass("TKvMainForm", trimora::kCloseMessage, 0));
    QVERIFY(Ended(main, 20000));
    QTRY_VERIFY_WITH_TIMEOUT(!trimora::FindWindowByClass("TBrevioDialog"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!trimora::FindWindowByClass("THelpDialog"), 10000);
    QVERIFY(x_->Windows(QStringLiteral("Kurzanleitung:|Hilfe:")).isEmpty());

    // Later starts do not open the guide; "Hilfe > Kurzanleitung" does.
    main = Start(kProgramDir + QStringLiteral("/Trimora2"));
    const QString again = x_->WaitForWindow(QStringLiteral("^  Trimora 2$"), 20000);
    QVERIFY(!again.isEmpty());
    QTest::qWait(2000);
    QVERIFY(!trimora::FindWindowByClass("TBrevioDialog"));
    x_->Tool(QStringLiteral("xdotool"),
             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), again});
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+h")});
    QTest::qWait(300);
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Down"),
                                         QStringLiteral("Down"), QStringLiteral("Return")});
    QVERIFY(!x_->WaitForWindow(QStringLiteral("Kurzanleitung:"), 20000).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(x_->ActiveTitle(), QStringLiteral("Kurzanleitung:  Trimora 2"),
                              kPatience);
  }

  void aMissingGuideViewerOrHelpProgramIsNotReported() {
    QTemporaryDir alone;
    for (const QString& name :
         {QStringLiteral("Trimora2"), QStringLiteral("skalierbare Formate.dat"),
          QStringLiteral("nicht skalierbare Formate.dat")}) {
      QVERIFY(QFile::copy(kProgramDir + QLatin1Char('/') + name, alone.filePath(name)));
    }
    QFile::setPermissions(alone.filePath(QStringLiteral("Trimora2")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess* main = Start(alone.filePath(QStringLiteral("Trimora2")));
    const QString mainWindow = x_->WaitForWindow(QStringLiteral("^  Trimora 2$"), 20000);
    QVERIFY(!mainWindow.isEmpty());
    const QString pid = QString::number(main->processId());
    auto windowsOfMain = [&] {
      return x_
          ->Tool(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--pid"), pid})
          .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
          .size();
    };
    QTest::qWait(1500);
    QCOMPARE(windowsOfMain(), 1);
    x_->Tool(QStringLiteral("xdotool"),
             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), mainWindow});
    x_->Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F1")});
    QTest::qWait(1500);
    QCOMPARE(windowsOfMain(), 1);
    QVERIFY(x_->Windows(QStringLiteral("Kurzanleitung:|Hilfe:")).isEmpty());
    QCOMPARE(main->state(), QProcess::Running);
  }
};

QTEST_GUILESS_MAIN(GuideProgramsTest)

#include "guide_programs_test.moc"
