// A debug viewer for tests: listens under one class name in a private runtime folder and
// collects the copy-data messages that arrive.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../platform/temp_folder.h"
#include "platform/instance.h"

namespace ornamo::testing {

// Makes sure a QCoreApplication exists for the event loop.
inline void EnsureApplication() {
  static int argc = 1;
  static char name[] = "menulib_tests";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

class TestViewer {
 public:
  // Listens for `className`; see Listening().
  explicit TestViewer(const char* className) {
    EnsureApplication();
    QObject::connect(&server_, &QLocalServer::newConnection, [this] { Take(); });
    const std::string path = trimora::ClassSocketPath(className);
    QLocalServer::removeServer(QString::fromStdString(path));
    listening_ = server_.listen(QString::fromStdString(path));
  }

  bool Listening() const { return listening_; }

  // The messages received until `count` have come or `milliseconds` have passed.
  std::vector<std::string> Collect(std::size_t count, int milliseconds = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (messages_.size() < count && timer.elapsed() < milliseconds) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return messages_;
  }

  // Forgets what was received.
  void Clear() { messages_.clear(); }

 private:
  void Take() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      const auto read = [this, socket, buffer] {
        buffer->append(socket->readAll());
        Parse(*buffer);
      };
      QObject::connect(socket, &QLocalSocket::readyRead, read);
      QObject::connect(socket, &QLocalSocket::disconnected, [socket, read] {
        read();
        socket->deleteLater();
      });
      read();
    }
  }

  // Takes whole messages (header and bytes) from the front of `buffer`.
  void Parse(QByteArray& buffer) {
    while (buffer.size() >= static_cast<qsizetype>(trimora::kPostedMessageSize)) {
      const auto header =
          trimora::DecodePostedMessage({reinterpret_cast<const unsigned char*>(buffer.constData()),
                                        trimora::kPostedMessageSize});
      if (!header || header->number != trimora::kCopyDataMessage) {
        buffer.clear();
        return;
      }
      const auto total = static_cast<qsizetype>(trimora::kPostedMessageSize + header->parameter);
      if (buffer.size() < total) return;
      messages_.emplace_back(buffer.constData() + trimora::kPostedMessageSize,
                             static_cast<std::size_t>(header->parameter));
      buffer.remove(0, total);
    }
  }

  QLocalServer server_;
  bool listening_ = false;
  std::vector<std::string> messages_;
};

// Points XDG_RUNTIME_DIR at a fresh private folder while it lives.
class PrivateRuntime {
 public:
  PrivateRuntime() {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) old_ = old;
    setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1);
  }
  ~PrivateRuntime() {
    if (old_.empty()) {
      unsetenv("XDG_RUNTIME_DIR");
    } else {
      setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
    }
  }

 private:
  trimora::testing::TempFolder folder_;
  std::string old_;
};

}  // namespace ornamo::testing
