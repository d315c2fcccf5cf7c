// Class-name sockets: listeners in this process and in other processes.
#include "platform/instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTimer>
#include <cstring>
#include <memory>

#include "platform/class_listener.h"
#include "platform/process.h"
#include "temp_folder.h"

namespace trimora {
namespace {

using testing::TempFolder;
using Received = std::vector<std::pair<quint32, qint64>>;

class InstanceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  }
  void SetUp() override {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old != nullptr) oldRuntime_ = old;
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
  }
  void TearDown() override {
    if (oldRuntime_) {
      setenv("XDG_RUNTIME_DIR", oldRuntime_->c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
  }

  // Collects what `listener` receives.
  static std::shared_ptr<Received> Collect(ClassListener& listener) {
    auto received = std::make_shared<Received>();
    QObject::connect(&listener, &ClassListener::MessageReceived,
                     [received](quint32 number, qint64 parameter) {
                       received->emplace_back(number, parameter);
                     });
    return received;
  }

  // Runs the event loop until `done` holds or five seconds have passed.
  template <typename Condition>
  static bool Await(Condition done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
  }

  TempFolder runtime_;
  std::optional<std::string> oldRuntime_;
};

TEST(PostedMessageTest, RoundTripsAndRejectsForeignBytes) {
  for (const PostedMessage message :
       {PostedMessage{kCloseMessage, 0}, PostedMessage{kHelpContextMessage, 4711},
        PostedMessage{0xFFFFFFFFu, -1}, PostedMessage{1, INT64_MIN}}) {
    const auto bytes = EncodePostedMessage(message);
    const auto back = DecodePostedMessage(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->number, message.number);
    EXPECT_EQ(back->parameter, message.parameter);
  }
  auto bytes = EncodePostedMessage({16, 0});
  EXPECT_FALSE(DecodePostedMessage(std::span(bytes).first(15)));
  bytes[0] = 'X';
  EXPECT_FALSE(DecodePostedMessage(bytes));
}

TEST_F(InstanceTest, TheSocketLiesInTheRuntimeFolderElseInAPrivateTemporaryFolder) {
  EXPECT_EQ(ClassSocketPath("TKvMainForm"), runtime_ / "Trimora.TKvMainForm");
  EXPECT_EQ(ClassSocketPath("a/b c"), runtime_ / "Trimora.a_b_c");
  EXPECT_EQ(ClassSocketPath(""), "");

  unsetenv("XDG_RUNTIME_DIR");
  const std::string oldTemp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  setenv("TMPDIR", runtime_.path().c_str(), 1);
  const std::string own = runtime_ / ("trimora-" + std::to_string(getuid()));
  EXPECT_EQ(ClassSocketPath("THelpDialog"), own + "/Trimora.THelpDialog");
  struct stat info {};
  ASSERT_EQ(stat(own.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // A folder of that name that others may enter is not used.
  chmod(own.c_str(), 0777);
  EXPECT_EQ(ClassSocketPath("THelpDialog"), "");
  if (oldTemp.empty()) {
    unsetenv("TMPDIR");
  } else {
    setenv("TMPDIR", oldTemp.c_str(), 1);
  }
}

TEST_F(InstanceTest, TwoListenersEachGetTheirOwnMessages) {
  ClassListener main;
  ClassListener help;
  ASSERT_TRUE(main.Listen("TKvMainForm"));
  ASSERT_TRUE(help.Listen("THelpDialog"));
  const auto toMain = Collect(main);
  const auto toHelp = Collect(help);

  EXPECT_TRUE(FindWindowByClass("TKvMainForm"));
  EXPECT_TRUE(FindWindowByClass("THelpDialog"));
  EXPECT_FALSE(FindWindowByClass("TBrevioDialog"));

  EXPECT_TRUE(PostMessageToClass("THelpDialog", kHelpContextMessage, 1029));
  EXPECT_TRUE(PostMessageToClass("TKvMainForm", 1027, 0));
  EXPECT_TRUE(PostMessageToClass("THelpDialog", kHelpContextMessage, -5));
  ASSERT_TRUE(Await([&] { return toMain->size() == 1 && toHelp->size() == 2; }));
  EXPECT_EQ(*toMain, (Received{{1027, 0}}));
  EXPECT_EQ(*toHelp, (Received{{kHelpContextMessage, 1029}, {kHelpContextMessage, -5}}));
}

TEST_F(InstanceTest, OneClassHasOneListenerAtATime) {
  auto first = std::make_unique<ClassListener>();
  ASSERT_TRUE(first->Listen("TKvMainForm"));
  ClassListener second;
  EXPECT_FALSE(second.Listen("TKvMainForm"));
  EXPECT_FALSE(second.IsListening());

  first.reset();
  EXPECT_FALSE(FindWindowByClass("TKvMainForm"));
  EXPECT_FALSE(PostMessageToClass("TKvMainForm", kCloseMessage, 0));
  EXPECT_TRUE(second.Listen("TKvMainForm"));
  EXPECT_TRUE(FindWindowByClass("TKvMainForm"));
}

TEST_F(InstanceTest, ASocketLeftByAnEndedInstanceIsTakenOver) {
  const std::string path = ClassSocketPath("TBrevioDialog");
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(fd);  // the file stays, nobody listens

  EXPECT_FALSE(FindWindowByClass("TBrevioDialog"));
  ClassListener listener;
  ASSERT_TRUE(listener.Listen("TBrevioDialog"));
  const auto received = Collect(listener);
  EXPECT_TRUE(PostMessageToClass("TBrevioDialog", kCloseMessage, 0));
  EXPECT_TRUE(Await([&] { return received->size() == 1; }));
}

TEST_F(InstanceTest, ForeignBytesEndOnlyThatConnection) {
  ClassListener listener;
  ASSERT_TRUE(listener.Listen("TKvMainForm"));
  const auto received = Collect(listener);

  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, ClassSocketPath("TKvMainForm").c_str());
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const char junk[] = "GET / HTTP/1.0\r\n\r\n";
  ASSERT_EQ(send(fd, junk, sizeof junk - 1, MSG_NOSIGNAL), static_cast<ssize_t>(sizeof junk - 1));

  EXPECT_TRUE(PostMessageToClass("TKvMainForm", 1027, 1));
  ASSERT_TRUE(Await([&] { return !received->empty(); }));
  // The listener hangs up on the sender of junk.
  char byte = 0;
  EXPECT_TRUE(Await([&] { return recv(fd, &byte, 1, MSG_DONTWAIT) == 0; }));
  close(fd);
  EXPECT_EQ(*received, (Received{{1027, 1}}));
}

TEST_F(InstanceTest, DataArrivesAsACopyDataMessageWithItsBytes) {
  QLocalServer server;
  ASSERT_TRUE(server.listen(QString::fromStdString(ClassSocketPath("TDataSink"))));
  const std::string text = "Ornamo:ORM: WRN: Menu list not empty";
  EXPECT_TRUE(SendDataToClass("TDataSink",
                              {reinterpret_cast<const unsigned char*>(text.data()), text.size()}));
  ASSERT_TRUE(Await([&] { return server.hasPendingConnections(); }));
  QLocalSocket* socket = server.nextPendingConnection();
  QByteArray bytes;
  ASSERT_TRUE(Await([&] {
    bytes += socket->readAll();
    return bytes.size() >= static_cast<qsizetype>(kPostedMessageSize + text.size());
  }));
  const auto header = DecodePostedMessage(
      {reinterpret_cast<const unsigned char*>(bytes.constData()), kPostedMessageSize});
  ASSERT_TRUE(header);
  EXPECT_EQ(header->number, kCopyDataMessage);
  EXPECT_EQ(header->parameter, static_cast<std::int64_t>(text.size()));
  EXPECT_EQ(bytes.mid(kPostedMessageSize).toStdString(), text);
  EXPECT_FALSE(SendDataToClass("TNobody", {}));
}

TEST_F(InstanceTest, AListenerTakesBlocksOfDataBetweenMessagesAndRefusesHugeOnes) {
  ClassListener listener;
  ASSERT_TRUE(listener.Listen("TKvMainForm"));
  const auto received = Collect(listener);
  auto blocks = std::make_shared<std::vector<std::string>>();
  QObject::connect(&listener, &ClassListener::DataReceived,
                   [blocks](const QByteArray& data) { blocks->push_back(data.toStdString()); });
  const std::string path = "/home/anna/Bilder/Urlaub \"2026\"/";
  const std::string big(70000, 'x');
  auto bytes = [](const std::string& text) {
    return std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  };
  EXPECT_TRUE(PostMessageToClass("TKvMainForm", 1027, 1));
  EXPECT_TRUE(SendDataToClass("TKvMainForm", bytes(path)));
  EXPECT_TRUE(SendDataToClass("TKvMainForm", bytes("")));
  EXPECT_TRUE(PostMessageToClass("TKvMainForm", 1027, 2));
  ASSERT_TRUE(Await([&] { return received->size() == 2 && blocks->size() == 2; }));
  EXPECT_EQ(*blocks, (std::vector<std::string>{path, ""}));
  EXPECT_EQ(*received, (Received{{1027, 1}, {1027, 2}}));

  // A block beyond the limit ends that connection only.
  SendDataToClass("TKvMainForm", bytes(big));
  EXPECT_TRUE(PostMessageToClass("TKvMainForm", 1027, 3));
  ASSERT_TRUE(Await([&] { return received->size() == 3; }));
  EXPECT_EQ(blocks->size(), 2u);
}

TEST_F(InstanceTest, AReceiverRunningADialogLoopWhileTheSenderGoesLeavesTheListenerWorking) {
  ClassListener listener;
  ASSERT_TRUE(listener.Listen("TKvMainForm"));
  const auto received = Collect(listener);
  int blocks = 0;
  QObject::connect(&listener, &ClassListener::DataReceived, [&blocks](const QByteArray&) {
    ++blocks;
    // As a message box would: the sender's connection ends and goes meanwhile.
    QEventLoop loop;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
  });
  const std::string path = "/home/anna/Bilder";
  EXPECT_TRUE(SendDataToClass("TKvMainForm",
                              {reinterpret_cast<const unsigned char*>(path.data()), path.size()}));
  ASSERT_TRUE(Await([&] { return blocks == 1; }));
  EXPECT_TRUE(PostMessageToClass("TKvMainForm", 1027, 7));
  ASSERT_TRUE(Await([&] { return received->size() == 1; }));
  EXPECT_EQ(*received, (Received{{1027, 7}}));
}

TEST_F(InstanceTest, AnotherProgramPostsAMessage) {
  ClassListener listener;
  ASSERT_TRUE(listener.Listen("THelpDialog"));
  const auto received = Collect(listener);
  // The sender has gone before this process takes the connection; the message still arrives.
  EXPECT_EQ(RunHiddenAndWait(TRIMORA_CLASS_HELPER, "post THelpDialog 1029 4711"), 0);
  ASSERT_TRUE(Await([&] { return received->size() == 1; }));
  EXPECT_EQ(*received, (Received{{kHelpContextMessage, 4711}}));
  EXPECT_EQ(RunHiddenAndWait(TRIMORA_CLASS_HELPER, "post TNobody 1029 1"), 1);
}

TEST_F(InstanceTest, AnotherProgramClosesOnACloseRequest) {
  QProcess other;
  other.start(TRIMORA_CLASS_HELPER, {"listen", "TBrevioDialog"});
  ASSERT_TRUE(other.waitForStarted());
  ASSERT_TRUE(Await([] { return FindWindowByClass("TBrevioDialog"); }));
  ClassListener rival;
  EXPECT_FALSE(rival.Listen("TBrevioDialog"));

  EXPECT_TRUE(PostMessageToClass("TBrevioDialog", kHelpContextMessage, 9));  // not a close
  EXPECT_TRUE(PostMessageToClass("TBrevioDialog", kCloseMessage, 42));
  ASSERT_TRUE(other.waitForFinished(5000));
  EXPECT_EQ(other.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(other.exitCode(), 42);
  EXPECT_FALSE(FindWindowByClass("TBrevioDialog"));
}

}  // namespace
}  // namespace trimora
