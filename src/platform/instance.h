// Program instances find and message each other by window class name.
//
// A program instance with a class name ("TKvMainForm", "TBrevioDialog", "THelpDialog") listens
// on a local socket of that name that only the user can reach (ClassListener in
// class_listener.h). Looking for a window of a class is a connect to that socket; posting a
// message sends one small message over it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace trimora {

// The close request ("close your window"), as WM_CLOSE.
inline constexpr std::uint32_t kCloseMessage = 0x0010;

// A help context number for the open help window, in the message's parameter.
inline constexpr std::uint32_t kHelpContextMessage = 1029;

// A message posted to a class: its number and one parameter.
struct PostedMessage {
  std::uint32_t number = 0;
  std::int64_t parameter = 0;
};

// Size of a posted message on the socket: "TMSG", the number (32 bits) and the parameter
// (64 bits), little-endian.
inline constexpr std::size_t kPostedMessageSize = 16;

// The bytes that carry `message`.
std::array<unsigned char, kPostedMessageSize> EncodePostedMessage(const PostedMessage& message);

// The message in `bytes` (exactly kPostedMessageSize of them); nothing when they are not one.
std::optional<PostedMessage> DecodePostedMessage(std::span<const unsigned char> bytes);

// A folder only this user can use: the runtime folder, or /tmp/trimora-<uid> (created with
// mode 0700, and refused when it is not ours or others may enter it); empty when there is none.
std::string PrivateFolder();

// The socket path for `className`: in $XDG_RUNTIME_DIR, else in a folder of the user's own
// under the temporary folder. Empty when no private place can be found.
std::string ClassSocketPath(std::string_view className);

// True when a program instance listens for `className`.
bool FindWindowByClass(std::string_view className);

// Sends the message to the instance that listens for `className`; false when there is none
// or it does not take the message within a second.
bool PostMessageToClass(std::string_view className, std::uint32_t number, std::int64_t parameter);

// A block of data for another program, as WM_COPYDATA.
inline constexpr std::uint32_t kCopyDataMessage = 0x004A;

// Sends `data` to the instance that listens for `className`: a posted message kCopyDataMessage
// whose parameter is the byte count, followed by the bytes. False when there is none or it does
// not take everything within a second.
bool SendDataToClass(std::string_view className, std::span<const unsigned char> data);

}  // namespace trimora
