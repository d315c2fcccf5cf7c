// The client side of class-name sockets: probing and posting, in plain POSIX.
#include "platform/instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace trimora {
namespace {

constexpr unsigned char kMagic[4] = {'T', 'M', 'S', 'G'};

}  // namespace

std::string PrivateFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  const char* temporary = std::getenv("TMPDIR");
  const std::string base = temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
  const std::string folder = base + "/trimora-" + std::to_string(getuid());
  mkdir(folder.c_str(), 0700);
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
      (info.st_mode & 077) != 0) {
    return {};
  }
  return folder;
}

namespace {

// A connected socket to the listener of `className`, or -1. `wait` lets the connect wait up
// to a second when the listener's queue is full; without it a full queue counts as found.
int Connect(std::string_view className, bool wait, bool* busy) {
  const std::string path = ClassSocketPath(className);
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof address.sun_path) return -1;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (wait ? 0 : SOCK_NONBLOCK), 0);
  if (fd < 0) return -1;
  const timeval second{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &second, sizeof second);
  int result = 0;
  do {
    result = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    if (busy != nullptr) *busy = errno == EAGAIN;
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::array<unsigned char, kPostedMessageSize> EncodePostedMessage(const PostedMessage& message) {
  std::array<unsigned char, kPostedMessageSize> bytes{};
  std::memcpy(bytes.data(), kMagic, 4);
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<unsigned char>(message.number >> (8 * i));
  const auto parameter = static_cast<std::uint64_t>(message.parameter);
  for (int i = 0; i < 8; ++i) bytes[8 + i] = static_cast<unsigned char>(parameter >> (8 * i));
  return bytes;
}

std::optional<PostedMessage> DecodePostedMessage(std::span<const unsigned char> bytes) {
  if (bytes.size() != kPostedMessageSize || std::memcmp(bytes.data(), kMagic, 4) != 0) {
    return std::nullopt;
  }
  PostedMessage message;
  for (int i = 0; i < 4; ++i) message.number |= std::uint32_t{bytes[4 + i]} << (8 * i);
  std::uint64_t parameter = 0;
  for (int i = 0; i < 8; ++i) parameter |= std::uint64_t{bytes[8 + i]} << (8 * i);
  message.parameter = static_cast<std::int64_t>(parameter);
  return message;
}

std::string ClassSocketPath(std::string_view className) {
  const std::string folder = PrivateFolder();
  if (folder.empty() || className.empty()) return {};
  std::string name = "Trimora.";
  for (const char c : className) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-';
    name += plain ? c : '_';
  }
  return folder + "/" + name;
}

bool FindWindowByClass(std::string_view className) {
  bool busy = false;
  const int fd = Connect(className, false, &busy);
  if (fd < 0) return busy;
  close(fd);
  return true;
}

namespace {

// Writes all of `bytes` to `fd`; false when the peer stops taking them.
bool SendAll(int fd, std::span<const unsigned char> bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t done = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    sent += static_cast<std::size_t>(done);
  }
  return true;
}

}  // namespace

bool PostMessageToClass(std::string_view className, std::uint32_t number, std::int64_t parameter) {
  const int fd = Connect(className, true, nullptr);
  if (fd < 0) return false;
  const bool sent = SendAll(fd, EncodePostedMessage({number, parameter}));
  close(fd);
  return sent;
}

bool SendDataToClass(std::string_view className, std::span<const unsigned char> data) {
  const int fd = Connect(className, true, nullptr);
  if (fd < 0) return false;
  const auto header =
      EncodePostedMessage({kCopyDataMessage, static_cast<std::int64_t>(data.size())});
  const bool sent = SendAll(fd, header) && SendAll(fd, data);
  close(fd);
  return sent;
}

}  // namespace trimora
