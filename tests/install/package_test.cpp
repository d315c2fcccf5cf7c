// The Debian package as CPack makes it from the build: its control data and dependencies, its
// files under /usr, the tool unpacked with dpkg-deb -x running from there (its version, and a
// crop with jpegtran), and lintian without errors.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "installed_programs.h"
#include "platform/version.h"

using trimora::test::Finished;
using trimora::test::RunProgram;
using trimora::test::WriteMarkedFolder;

namespace {

const QString kBuildDir = QStringLiteral(TRIMORA_BUILD_DIR);
const QString kPhotos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos");

}  // namespace

class PackageTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir work_;
  QString package_;
  QString root_;

  QString Field(const QString& name) {
    const Finished field =
        RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), package_, name});
    return field.out.trimmed();
  }

 private slots:
  void initTestCase() {
    for (const char* tool : {"cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", "jpegtran"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
        QFAIL(qPrintable(QStringLiteral("The tool %1 is missing (scripts/setup installs it).")
                             .arg(QString::fromLatin1(tool))));
    }
    // The unpacked tool reads its settings from a home of the test's own.
    qputenv("XDG_CONFIG_HOME", work_.filePath(QStringLiteral("config")).toUtf8());
    const QString out = work_.filePath(QStringLiteral("packages"));
    const Finished cpack =
        RunProgram(QStringLiteral(TRIMORA_CPACK),
                   {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                    kBuildDir + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"), out});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.out + cpack.err));
    const QStringList made = QDir(out).entryList({QStringLiteral("trimora_*.deb")}, QDir::Files);
    QCOMPARE(made.size(), 1);
    package_ = out + QLatin1Char('/') + made.first();
    root_ = work_.filePath(QStringLiteral("root"));
    const Finished unpack =
        RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package_, root_});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.err));
  }

  void theControlDataNamesThePackageAndWhatItNeeds() {
    QCOMPARE(QFileInfo(package_).fileName(), QStringLiteral("trimora_" TRIMORA_VERSION "-1_%1.deb")
                                                 .arg(Field(QStringLiteral("Architecture"))));
    QCOMPARE(Field(QStringLiteral("Package")), QStringLiteral("trimora"));
    QCOMPARE(Field(QStringLiteral("Version")), QStringLiteral(TRIMORA_VERSION "-1"));
    QCOMPARE(Field(QStringLiteral("Section")), QStringLiteral("graphics"));
    const QStringList depends = Field(QStringLiteral("Depends")).split(QStringLiteral(", "));
    for (const char* needed : {"libqt6widgets6", "libqt6gui6", "libqt6core6", "libqt6network6",
                               "libjpeg62-turbo", "zlib1g", "libjpeg-turbo-progs"}) {
      const bool found = std::any_of(depends.begin(), depends.end(), [needed](const QString& d) {
        return d.section(QLatin1Char(' '), 0, 0) == QLatin1String(needed);
      });
      QVERIFY2(found, qPrintable(QLatin1String(needed) + QStringLiteral(" in ") +
                                 depends.join(QStringLiteral(", "))));
    }
  }

  void itHoldsTheInstalledLayoutUnderUsr() {
    for (const char* path :
         {"usr/lib/trimora/Trimora2", "usr/lib/trimora/Brevio", "usr/lib/trimora/Help",
          "usr/lib/trimora/skalierbare Formate.dat", "usr/lib/trimora/Hilfe/Kurzanleitung.html",
          "usr/share/applications/de.trimora.Trimora2.desktop",
          "usr/share/metainfo/de.trimora.Trimora2.metainfo.xml",
          "usr/share/icons/hicolor/48x48/apps/de.trimora.Trimora2.png",
          "usr/share/man/man1/trimora2.1.gz", "usr/share/doc/trimora/copyright",
          "usr/share/doc/trimora/changelog.Debian.gz"}) {
      QVERIFY2(QFileInfo::exists(root_ + QLatin1Char('/') + QLatin1String(path)), path);
    }
    QCOMPARE(QFile::symLinkTarget(root_ + QStringLiteral("/usr/bin/trimora2")),
             root_ + QStringLiteral("/usr/lib/trimora/Trimora2"));
    // Stripping kept the version record that names the settings key.
    QCOMPARE(QString::fromStdString(trimora::FileVersion(
                 (root_ + QStringLiteral("/usr/lib/trimora/Trimora2")).toStdString())),
             QStringLiteral(TRIMORA_VERSION));
  }

  void theUnpackedToolRunsFromTheUnpackedFolder() {
    const QString tool = root_ + QStringLiteral("/usr/bin/trimora");
    const Finished version = RunProgram(tool, {QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("trimora " TRIMORA_VERSION "\n"));

    // A lossless crop by jpegtran of a marked picture, 320 x 240 from its corner.
    const QString source = work_.filePath(QStringLiteral("quelle"));
    const QString target = work_.filePath(QStringLiteral("ziel"));
    QVERIFY(QDir().mkpath(target));
    trimora::CuttingRecord record;
    record.x = 0;
    record.y = 0;
    record.width = 20;
    record.height = 15;
    record.formatId = 1;
    record.blockSize = 16;
    record.fileType = "JPG";
    QVERIFY(WriteMarkedFolder(source, kPhotos + QStringLiteral("/plain-landscape.jpg"), record));
    const Finished crop = RunProgram(tool, {QStringLiteral("crop"), source, target});
    QVERIFY2(crop.exitCode == 0, qPrintable(crop.err));
    QCOMPARE(crop.err, QStringLiteral("Speichere 1/1\n"));
    QCOMPARE(QImage(target + QStringLiteral("/bild.JPG")).size(), QSize(320, 240));
  }

  void lintianFindsNoErrors() {
    const Finished lintian =
        RunProgram(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error"),
                                               QStringLiteral("--no-tag-display-limit"), package_});
    QVERIFY2(lintian.exitCode == 0, qPrintable(lintian.out + lintian.err));
    QVERIFY2(!lintian.out.contains(QStringLiteral("E: ")), qPrintable(lintian.out));
    if (!lintian.out.isEmpty()) qInfo("lintian:\n%s", qPrintable(lintian.out));
  }
};

QTEST_GUILESS_MAIN(PackageTest)

#include "package_test.moc"
