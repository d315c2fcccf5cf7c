// Listening on a class-name socket with Qt's local server.
#include "platform/class_listener.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>
#include <span>

#include "platform/file_lock.h"
#include "platform/instance.h"

namespace trimora {
namespace {

// A client may send several messages on one connection; more than this unread is refused.
constexpr qint64 kMaximumPending = 64 * static_cast<qint64>(kPostedMessageSize);

// The largest block of data taken (a path, a line of text); a longer one ends the connection.
constexpr qint64 kMaximumData = 64 * 1024;

// The socket property that holds the byte count of a block of data still to come.
constexpr const char* kAwaitedData = "trimoraAwaitedData";

}  // namespace

ClassListener::ClassListener(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &ClassListener::TakeConnections);
}

ClassListener::~ClassListener() = default;

bool ClassListener::Listen(const std::string& className) {
  if (server_->isListening()) return false;
  const std::string path = ClassSocketPath(className);
  if (path.empty()) return false;
  // Two instances starting at the same moment must not both find that nobody listens.
  FileLock lock(path + ".lock");
  if (FindWindowByClass(className)) return false;
  // Nobody answers on the socket: what lies there is left from an instance that ended
  // without cleaning up.
  QLocalServer::removeServer(QString::fromStdString(path));
  return server_->listen(QString::fromStdString(path));
}

bool ClassListener::IsListening() const { return server_->isListening(); }

void ClassListener::TakeConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Bytes may have arrived (and the sender gone) before the connection was taken.
    ReadFrom(socket);
  }
}

void ClassListener::ReadFrom(QLocalSocket* connection) {
  // A receiver may run an event loop (a dialog), in which the connection can end and go.
  const QPointer<QLocalSocket> socket(connection);
  while (socket != nullptr) {
    const qint64 awaited = socket->property(kAwaitedData).toLongLong();
    if (awaited > 0) {
      if (socket->bytesAvailable() < awaited) break;
      const QByteArray data = socket->read(awaited);
      socket->setProperty(kAwaitedData, 0);
      emit DataReceived(data);
      continue;
    }
    if (socket->bytesAvailable() < static_cast<qint64>(kPostedMessageSize)) break;
    const QByteArray bytes = socket->read(kPostedMessageSize);
    const auto message =
        DecodePostedMessage(std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                      static_cast<size_t>(bytes.size())));
    if (!message || (message->number == kCopyDataMessage &&
                     (message->parameter < 0 || message->parameter > kMaximumData))) {
      socket->abort();
      return;
    }
    if (message->number == kCopyDataMessage) {
      socket->setProperty(kAwaitedData, static_cast<qint64>(message->parameter));
      if (message->parameter == 0) emit DataReceived({});
      continue;
    }
    emit MessageReceived(message->number, message->parameter);
  }
  if (socket != nullptr &&
      socket->bytesAvailable() > kMaximumPending + socket->property(kAwaitedData).toLongLong())
    socket->abort();
}

}  // namespace trimora
