// What the tests of the installation and of the package share: running a program to its end,
// and a source folder with one marked picture for "trimora crop".
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <vector>

#include "folder/cutting_record.h"

namespace trimora::test {

// How a program ended.
struct Finished {
  int exitCode = -1;  // -1 when it did not start, did not end in time, or crashed
  QString out;
  QString err;
};

// Runs a program to its end (at most five minutes: packing and lintian take their time).
inline Finished RunProgram(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  Finished result;
  if (!process.waitForStarted(10000) || !process.waitForFinished(300000)) {
    result.err = QStringLiteral("%1 did not run: %2").arg(program, process.errorString());
    process.kill();
    process.waitForFinished(2000);
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = QString::fromUtf8(process.readAllStandardOutput());
  result.err = QString::fromUtf8(process.readAllStandardError());
  return result;
}

// Makes `folder` a source folder holding `photo` as "bild.jpg", marked for saving as `record`
// says (its file name, mark and 600 x 450 picture size are filled in). False when a file could
// not be written.
inline bool WriteMarkedFolder(const QString& folder, const QString& photo, CuttingRecord record) {
  const QString picture = folder + QStringLiteral("/bild.jpg");
  if (!QDir().mkpath(folder) || !QFile::copy(photo, picture)) return false;
  record.tempPath = "";
  record.filename = picture.toStdString();
  record.saveIt = true;
  record.deleted = false;
  record.pictureWidth = 600;
  record.pictureHeight = 450;
  SaveCuttingData(std::vector<CuttingRecord>{record},
                  (folder + QStringLiteral("/CroppingData.kv2")).toStdString());
  return true;
}

}  // namespace trimora::test
