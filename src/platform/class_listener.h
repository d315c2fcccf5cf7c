// The listening side of class-name sockets: a program instance that has a window class name
// takes the messages other programs post to that class.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace trimora {

// Listens for one class name while it lives; delivers posted messages on its own thread (the
// main thread when it is made there).
class ClassListener : public QObject {
  Q_OBJECT

 public:
  // Does not listen yet; see Listen.
  explicit ClassListener(QObject* parent = nullptr);
  // Stops listening; the socket goes with it.
  ~ClassListener() override;

  // Starts listening for `className`. False when another instance already listens for it
  // or the socket cannot be made. A socket left behind by an instance that crashed is taken
  // over.
  bool Listen(const std::string& className);

  // True while listening.
  bool IsListening() const;

 signals:
  // A message arrived.
  void MessageReceived(quint32 number, qint64 parameter);
  // A block of data arrived (SendDataToClass: a kCopyDataMessage with its bytes).
  void DataReceived(const QByteArray& data);

 private:
  void TakeConnections();
  void ReadFrom(QLocalSocket* socket);

  QLocalServer* server_;
};

}  // namespace trimora
