// Only Windows has kernel32: elsewhere this file compiles to nothing and the
// POSIX backend serves the link.
#ifdef _WIN32

#include "link/windows_serial_link.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "link/line_bounds.h"

namespace zm48d {

static_assert(std::is_same_v<HANDLE, UniqueHandle::Native>, "UniqueHandle must hold a HANDLE");
static_assert(kPurgeTxClear == PURGE_TXCLEAR && kPurgeRxClear == PURGE_RXCLEAR,
              "the purge flags are passed to PurgeComm as they are");

namespace {

// The driver's input and output queues: a frame never exceeds 256 bytes.
constexpr DWORD kQueueSize = 256;

// The line's time bounds, as the driver takes them.
constexpr COMMTIMEOUTS kLineTimeouts{
    .ReadIntervalTimeout = kIntervalTimeoutMs,
    .ReadTotalTimeoutMultiplier = kTotalMultiplierMs,
    .ReadTotalTimeoutConstant = kTotalConstantMs,
    .WriteTotalTimeoutMultiplier = kTotalMultiplierMs,
    .WriteTotalTimeoutConstant = kTotalConstantMs,
};

// A failed CreateFileA gives INVALID_HANDLE_VALUE, which is -1: a negative
// handle value is no device.
bool IsNegative(HANDLE handle) { return reinterpret_cast<LONG_PTR>(handle) < 0; }

// 8N1 at `baudRate`, binary, no parity check, no flow control of either kind,
// DTR and RTS held off. Queue limits and the special characters stay as the
// driver has them.
void SetLineFlags(DCB& dcb, std::uint32_t baudRate) {
  dcb.BaudRate = baudRate;
  dcb.fBinary = 1;
  dcb.fParity = 0;
  dcb.fOutxCtsFlow = 0;
  dcb.fOutxDsrFlow = 0;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = 0;
  dcb.fTXContinueOnXoff = 0;
  dcb.fOutX = 0;
  dcb.fInX = 0;
  dcb.fErrorChar = 0;
  dcb.fNull = 0;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fAbortOnError = 0;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
}

// Queues, line settings and timeouts. The controller's terminal has always
// counted the open as good once the handle exists, so no result decides here.
void ApplySettings(HANDLE port, std::uint32_t baudRate) {
  (void)SetupComm(port, kQueueSize, kQueueSize);
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  (void)GetCommState(port, &dcb);
  SetLineFlags(dcb, baudRate);
  (void)SetCommState(port, &dcb);
  COMMTIMEOUTS timeouts = kLineTimeouts;
  (void)SetCommTimeouts(port, &timeouts);
}

// One overlapped write or read: its OVERLAPPED block bound to an event of its
// own and, for a write, the transfer's own copy of the bytes. It lives for one
// transfer; the event closes and the copy is freed with it, on every path.
class TransferContext {
 public:
  // Null when no event could be had: a transfer that cannot be awaited is not started.
  static std::unique_ptr<TransferContext> ForWrite(const std::uint8_t* block, int size) {
    auto context = Create();
    if (context) {
      // new[] of 0 bytes still gives a pointer, so WriteFile never sees null.
      context->data_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(size));
      std::copy_n(block, size, context->data_.get());
      context->dataSize_ = static_cast<DWORD>(size);
    }
    return context;
  }
  static std::unique_ptr<TransferContext> ForRead() { return Create(); }

  TransferContext(const TransferContext&) = delete;
  TransferContext& operator=(const TransferContext&) = delete;

  OVERLAPPED* Overlapped() { return &overlapped_; }
  HANDLE Event() const { return event_.Get(); }
  const std::uint8_t* Data() const { return data_.get(); }
  DWORD DataSize() const { return dataSize_; }

 private:
  explicit TransferContext(UniqueHandle event) : event_(std::move(event)) {
    overlapped_.hEvent = event_.Get();
  }

  // Manual reset, created signalled: the system resets it when the transfer
  // starts and sets it when the transfer ends.
  static std::unique_ptr<TransferContext> Create() {
    UniqueHandle event(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    if (!event.Valid()) return nullptr;
    return std::unique_ptr<TransferContext>(new TransferContext(std::move(event)));
  }

  OVERLAPPED overlapped_{};  // Internal, InternalHigh, Offset, OffsetHigh all 0
  UniqueHandle event_;
  std::unique_ptr<std::uint8_t[]> data_;
  DWORD dataSize_ = 0;
};

// WriteFile and ReadFile report a transfer that goes on in the background as a
// failure with ERROR_IO_PENDING; it has started all the same.
bool Started(BOOL result) { return result != FALSE || GetLastError() == ERROR_IO_PENDING; }

// Blocks until the transfer has ended and returns the bytes it moved. The wait
// has no bound of its own: the line timeouts end every transfer.
// The wait has no bound of its own: the device's timeouts end every transfer.
// With an idle hook it waits in slices and runs the hook between them.
int WaitTransfer(HANDLE port, TransferContext& context, DWORD slice,
                 const std::function<void()>& idle) {
  DWORD waited = WAIT_TIMEOUT;
  while ((waited = WaitForSingleObject(context.Event(), slice)) == WAIT_TIMEOUT) idle();
  if (waited != WAIT_OBJECT_0) return 0;
  DWORD count = 0;
  if (!GetOverlappedResult(port, context.Overlapped(), &count, FALSE)) return 0;
  return static_cast<int>(count);
}

// What a CreateFileA error means for a COM port. Windows has no device
// permissions for COM ports: a port another program holds refuses with
// ERROR_ACCESS_DENIED.
OpenFailure::Problem ProblemOf(DWORD error) {
  using Problem = OpenFailure::Problem;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Problem::kMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return Problem::kInUse;
    default: return Problem::kOther;
  }
}

}  // namespace

std::string WindowsComDevicePath(int portNumber) {
  return "\\\\.\\COM" + std::to_string(portNumber);
}

UniqueHandle& UniqueHandle::operator=(UniqueHandle&& other) noexcept {
  if (this != &other) Reset(other.Release());
  return *this;
}

bool UniqueHandle::Valid() const { return handle_ != nullptr && !IsNegative(handle_); }

void UniqueHandle::Reset(Native handle) {
  if (Valid()) (void)CloseHandle(handle_);
  handle_ = handle;
}

UniqueHandle::Native UniqueHandle::Release() { return std::exchange(handle_, nullptr); }

WindowsSerialLink::WindowsSerialLink(DevicePathResolver resolver)
    : resolver_(std::move(resolver)) {}

// Exclusive (share mode 0), so a device another program holds fails here, and
// overlapped, so that every transfer is bound to an event of its own.
unsigned long WindowsSerialLink::WaitSlice() const {
  return HasIdleHook() ? static_cast<DWORD>(kIdleSliceMs) : INFINITE;
}

bool WindowsSerialLink::OpenDevice(int portNumber, std::uint32_t baudRate) {
  const std::string path = resolver_(portNumber);
  port_.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OVERLAPPED, nullptr));
  if (IsNegative(port_.Get())) {
    const DWORD error = GetLastError();
    lastFailure_ = {path, static_cast<int>(error), ProblemOf(error), {}};
    return false;
  }
  ApplySettings(port_.Get(), baudRate);
  return true;
}

void WindowsSerialLink::CloseDevice() { port_.Reset(); }

bool WindowsSerialLink::Write(const std::uint8_t* block, int size, int& written) {
  written = 0;
  if (!port_.Valid() || size < 0) return false;
  auto transfer = TransferContext::ForWrite(block, size);
  if (!transfer) return false;
  const BOOL result = WriteFile(port_.Get(), transfer->Data(), transfer->DataSize(), nullptr,
                                transfer->Overlapped());
  if (!Started(result)) return false;
  written = WaitTransfer(port_.Get(), *transfer, WaitSlice(), [this] { Idle(); });
  return written == size;
}

bool WindowsSerialLink::Read(int size, std::uint8_t* buffer, int& read) {
  read = 0;
  if (!port_.Valid() || size < 0) return false;
  auto transfer = TransferContext::ForRead();
  if (!transfer) return false;
  const BOOL result =
      ReadFile(port_.Get(), buffer, static_cast<DWORD>(size), nullptr, transfer->Overlapped());
  if (!Started(result)) return false;
  // A read cut short by the timeouts still succeeds, with fewer bytes than asked.
  read = WaitTransfer(port_.Get(), *transfer, WaitSlice(), [this] { Idle(); });
  return read == size;
}

void WindowsSerialLink::Purge(unsigned flags) {
  if (port_.Valid()) (void)PurgeComm(port_.Get(), flags);
}

}  // namespace zm48d

#endif  // _WIN32
