#include "platform/file_output.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cwctype>
#include <random>
#include <streambuf>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "platform/native_text.h"

namespace quillet {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
// A scratch file is often read a record here and there: a read takes less.
constexpr std::size_t kReadAheadBytes = 8 * 1024;
// Of the target's name in the temporary file's, so that both stay well
// inside any file system's limit of 255.
constexpr std::size_t kKeptNameBytes = 100;
constexpr int kNameAttempts = 100;
constexpr int kStandardOutput = 1;

std::string ErrnoText(int code) { return std::generic_category().message(code); }

// ---- Files an interrupt removes. Fixed slots: a signal handler may neither
// allocate nor lock.

class Leftovers {
 public:
  int Remember(const fs::path& path) {
    const fs::path::string_type& name = path.native();
    if (name.size() >= kMaxPath) return -1;
    for (int i = 0; i < kSlots; ++i) {
      int expected = kFree;
      if (!slots_[i].state.compare_exchange_strong(expected, kFilling)) continue;
      std::copy(name.begin(), name.end(), slots_[i].path);
      slots_[i].path[name.size()] = 0;
      slots_[i].state.store(kHeld);
      return i;
    }
    return -1;
  }

  void Forget(int slot) {
    if (slot >= 0) slots_[slot].state.store(kFree);
  }

  // Only calls that are safe in a signal handler.
  void RemoveAll() {
    for (Slot& slot : slots_) {
      if (slot.state.load() != kHeld) continue;
#ifdef _WIN32
      DeleteFileW(slot.path);
#else
      unlink(slot.path);
#endif
    }
  }

 private:
  static constexpr int kSlots = 16;
  static constexpr std::size_t kMaxPath = 4096;
  enum { kFree, kFilling, kHeld };
  static_assert(std::atomic<int>::is_always_lock_free);
  struct Slot {
    std::atomic<int> state{kFree};
    fs::path::value_type path[kMaxPath];
  };
  Slot slots_[kSlots];
};

Leftovers leftovers;

// ---- The system calls, one place for each platform.

#ifdef _WIN32
using FileSize = int;
std::string LastSystemError() {
  std::string text = std::system_category().message(static_cast<int>(GetLastError()));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) text.pop_back();
  return text;
}
bool IsTaken() { return GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS; }
int SystemWrite(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
int SystemRead(int fd, char* data, std::size_t size) { return _read(fd, data, static_cast<unsigned>(size)); }
bool SeekTo(int fd, std::uint64_t at) { return _lseeki64(fd, static_cast<__int64>(at), SEEK_SET) >= 0; }
int CloseFile(int fd) { return _close(fd); }
bool ToDisk(int fd) { return _commit(fd) == 0; }
bool Remove(const fs::path& path) { return DeleteFileW(path.c_str()) != 0; }
bool Rename(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// A file of this name made now, or -1 with the reason (taken: IsTaken()).
// Others may read it and remove it (an interrupt does); a spool is removed
// by the system once closed.
int MakeExclusive(const fs::path& path, bool spool) {
  const DWORD access = spool ? GENERIC_READ | GENERIC_WRITE : GENERIC_WRITE;
  const DWORD flags = spool ? FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE : FILE_ATTRIBUTE_NORMAL;
  HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW, flags,
                              nullptr);
  if (handle == INVALID_HANDLE_VALUE) return -1;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
  if (fd < 0) {
    CloseHandle(handle);
    return -1;
  }
  _setmode(fd, _O_BINARY);
  return fd;
}

fs::path TemporaryFolder(std::string& error) {
  wchar_t folder[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0) {
    error = "no temporary folder: " + LastSystemError();
    return {};
  }
  return fs::path(folder);
}
#else
using FileSize = ssize_t;
std::string LastSystemError() { return ErrnoText(errno); }
bool IsTaken() { return errno == EEXIST; }
FileSize SystemWrite(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
FileSize SystemRead(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
bool SeekTo(int fd, std::uint64_t at) { return lseek(fd, static_cast<off_t>(at), SEEK_SET) >= 0; }
int CloseFile(int fd) { return ::close(fd); }
bool ToDisk(int fd) { return fsync(fd) == 0; }
bool Remove(const fs::path& path) { return unlink(path.c_str()) == 0; }
bool Rename(const fs::path& from, const fs::path& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

// Made now, never through a link. The caller removes a spool's name at
// once, so nothing of it outlasts the program.
int MakeExclusive(const fs::path& path, bool spool) {
  const int access = spool ? O_RDWR : O_WRONLY;
  return ::open(path.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, spool ? 0600 : 0666);
}

fs::path TemporaryFolder(std::string&) {
  const std::string folder = EnvironmentText("TMPDIR");
  return PathFromUtf8(folder.empty() ? "/tmp" : folder);
}
#endif

// Everything, or the reason it stopped (errno's value).
int WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const FileSize written = SystemWrite(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

// An output stream's buffer that writes to a file descriptor and keeps the
// first failure.
class DescriptorBuffer : public std::streambuf {
 public:
  DescriptorBuffer() : buffer_(kBufferBytes) { Reset(); }
  void Attach(int fd) { fd_ = fd; }
  int Failure() const { return failure_; }
  bool Drain() {
    const auto held = static_cast<std::size_t>(pptr() - pbase());
    if (failure_ == 0 && held > 0) failure_ = WriteAll(fd_, pbase(), held);
    Reset();
    return failure_ == 0;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  void Reset() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

  std::vector<char> buffer_;
  int fd_ = -1;
  int failure_ = 0;
};

std::string RandomLetters() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
  std::string letters(8, ' ');
  for (char& letter : letters) letter = kLetters[pick(engine)];
  return letters;
}

// The start of a file name, cut between two characters.
std::string Shortened(std::string name) {
  if (name.size() <= kKeptNameBytes) return name;
  std::size_t cut = kKeptNameBytes;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  name.resize(cut);
  return name;
}

// A new file "STEM.RANDOM.SUFFIX" in the folder, or -1 with the reason.
int MakeUnique(const fs::path& folder, const std::string& stem, const char* suffix, bool spool, fs::path& made,
               std::string& error) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    made = folder / PathFromUtf8(stem + "." + RandomLetters() + suffix);
    const int fd = MakeExclusive(made, spool);
    if (fd >= 0) return fd;
    if (!IsTaken()) break;
  }
  error = LastSystemError();
  return -1;
}

// A file of the temporary folder to write and read back, its name removed
// at once (on Windows deleted once closed); -1 with the reason.
int MakeScratch(std::string& error) {
  const fs::path folder = TemporaryFolder(error);
  if (!error.empty()) return -1;
  fs::path made;
  const int fd = MakeUnique(folder, "quillet", ".tmp", true, made, error);
  if (fd < 0) {
    error = "temporary folder " + Utf8FromPath(folder) + ": " + error;
    return -1;
  }
#ifndef _WIN32
  Remove(made);
#endif
  return fd;
}

enum class Way { Replace, Direct, StandardOutput };

}  // namespace

struct FileOutput::State {
  State(Way way, fs::path target) : way(way), target(std::move(target)) {}

  bool Fail(std::string why) {
    error = std::move(why);
    Discard();
    return false;
  }
  void Discard() {
    if (fd >= 0) CloseFile(fd);
    fd = -1;
    if (way == Way::Replace && !temporary.empty()) Remove(temporary);
    temporary.clear();
    leftovers.Forget(slot);
    slot = -1;
  }

  bool OpenTarget();
  bool OpenBeside(bool existing);
  void KeepModeAndOwner();
  bool OpenDirect();
  bool OpenSpool();
  bool CommitReplace();
  bool CopyToStandardOutput();

  Way way;
  fs::path target;
  fs::path replaced;  // the regular file renamed over: the target, or the file its link names
  fs::path temporary;
  int fd = -1;
  int slot = -1;
  std::string error;
  DescriptorBuffer buffer;
  std::ostream stream{&buffer};
#ifndef _WIN32
  struct stat kept {};  // the replaced file's mode and owner
#endif
};

#ifdef _WIN32
namespace {
// Windows keeps these names for its devices in every folder and with any
// extension. Judged by name too, since a device that fails to open must
// never get a file renamed over it: under Wine, NUL is /dev/null.
bool IsDeviceName(const fs::path& target) {
  if (target.native().starts_with(L"\\\\.\\")) return true;
  std::wstring stem = target.filename().native();
  stem = stem.substr(0, stem.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  for (wchar_t& c : stem) c = static_cast<wchar_t>(towupper(c));
  if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" || stem == L"CONIN$" ||
      stem == L"CONOUT$")
    return true;
  return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
         stem[3] <= L'9';
}

// A device (NUL, CON) or a pipe says what it is once opened; fs::status
// reports a device as not found.
bool IsDeviceOrPipe(const fs::path& target) {
  if (IsDeviceName(target)) return true;
  HANDLE handle = CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(handle);
  CloseHandle(handle);
  return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}
}  // namespace

bool FileOutput::State::OpenTarget() {
  if (IsDeviceOrPipe(target)) return OpenDirect();
  std::error_code ec;
  const fs::file_type type = fs::status(target, ec).type();
  if (type == fs::file_type::not_found) return OpenBeside(false);
  if (type == fs::file_type::regular) return OpenBeside(true);
  if (type == fs::file_type::directory) return Fail(ErrnoText(EISDIR));
  return Fail(ec ? ec.message() : ErrnoText(EINVAL));
}

bool FileOutput::State::OpenDirect() {
  way = Way::Direct;
  fd = _wopen(target.c_str(), _O_WRONLY | _O_BINARY);
  return fd >= 0 || Fail(ErrnoText(errno));
}

void FileOutput::State::KeepModeAndOwner() {}
#else
bool FileOutput::State::OpenTarget() {
  if (::stat(target.c_str(), &kept) != 0) return errno == ENOENT ? OpenBeside(false) : Fail(ErrnoText(errno));
  if (S_ISDIR(kept.st_mode)) return Fail(ErrnoText(EISDIR));
  return S_ISREG(kept.st_mode) ? OpenBeside(true) : OpenDirect();
}

bool FileOutput::State::OpenDirect() {
  way = Way::Direct;
  fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  return fd >= 0 || Fail(ErrnoText(errno));
}

// Neither step stops the write when the system refuses it: the new file is
// then the writer's own, as any new file would be. The owner goes first,
// since giving a file away clears its set-id bits.
void FileOutput::State::KeepModeAndOwner() {
  if (kept.st_uid != geteuid() || kept.st_gid != getegid()) {
    [[maybe_unused]] const int given = fchown(fd, kept.st_uid, kept.st_gid);
  }
  fchmod(fd, kept.st_mode & 07777);
}
#endif

// A link to the file is followed, so the file it names is replaced and the
// link stays.
bool FileOutput::State::OpenBeside(bool existing) {
  std::error_code ec;
  replaced = existing ? fs::canonical(target, ec) : target;
  if (ec) replaced = target;
  fd = MakeUnique(replaced.parent_path(), Shortened(Utf8FromPath(replaced.filename())), ".part", false, temporary,
                  error);
  if (fd < 0) return Fail(error);
  slot = leftovers.Remember(temporary);
  if (existing) KeepModeAndOwner();
  return true;
}

bool FileOutput::State::OpenSpool() {
  fd = MakeScratch(error);
  return fd >= 0 || Fail(error);
}

bool FileOutput::State::CommitReplace() {
  if (!ToDisk(fd)) return Fail(ErrnoText(errno));
  const int closed = CloseFile(fd);
  fd = -1;
  if (closed != 0) return Fail(ErrnoText(errno));
  if (!Rename(temporary, replaced)) return Fail(LastSystemError());
  temporary.clear();
  leftovers.Forget(slot);
  slot = -1;
  return true;
}

bool FileOutput::State::CopyToStandardOutput() {
  if (!SeekTo(fd, 0)) return Fail(ErrnoText(errno));
  std::vector<char> chunk(kBufferBytes);
  for (;;) {
    const FileSize got = SystemRead(fd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(ErrnoText(errno));
    if (got == 0) break;
    if (const int failure = WriteAll(kStandardOutput, chunk.data(), static_cast<std::size_t>(got)))
      return Fail(ErrnoText(failure));
  }
  Discard();
  return true;
}

FileOutput::FileOutput(const fs::path& target) : state_(std::make_unique<State>(Way::Replace, target)) {}

FileOutput::FileOutput() : state_(std::make_unique<State>(Way::StandardOutput, fs::path())) {}

FileOutput::~FileOutput() { state_->Discard(); }

bool FileOutput::Open() {
  State& s = *state_;
  s.error.clear();
  const bool opened = s.way == Way::StandardOutput ? s.OpenSpool() : s.OpenTarget();
  if (opened) s.buffer.Attach(s.fd);
  return opened;
}

std::ostream& FileOutput::Stream() { return state_->stream; }

bool FileOutput::Commit() {
  State& s = *state_;
  if (s.fd < 0) return s.Fail(s.error.empty() ? ErrnoText(EBADF) : s.error);
  s.stream.flush();
  if (!s.buffer.Drain()) return s.Fail(ErrnoText(s.buffer.Failure()));
  switch (s.way) {
    case Way::Replace: return s.CommitReplace();
    case Way::StandardOutput: return s.CopyToStandardOutput();
    case Way::Direct: break;
  }
  const int closed = CloseFile(s.fd);
  s.fd = -1;
  return closed == 0 || s.Fail(ErrnoText(errno));
}

const std::string& FileOutput::Error() const { return state_->error; }

std::string WriteWholeFile(const fs::path& target, std::string_view bytes) {
  FileOutput out(target);
  if (!out.Open()) return out.Error();
  out.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out.Commit() ? "" : out.Error();
}

ScratchFile::~ScratchFile() {
  if (fd_ >= 0) CloseFile(fd_);
}

bool ScratchFile::Fail(int code) {
  error_ = ErrnoText(code);
  return false;
}

bool ScratchFile::Write(std::string_view bytes) {
  if (fd_ < 0 && (fd_ = MakeScratch(error_)) < 0) return false;
  written_.append(bytes);
  size_ += bytes.size();
  return written_.size() < kBufferBytes || Flush();
}

bool ScratchFile::Flush() {
  if (written_.empty()) return true;
  if (!SeekTo(fd_, size_ - written_.size())) return Fail(errno);
  if (const int failure = WriteAll(fd_, written_.data(), written_.size()); failure != 0) return Fail(failure);
  written_.clear();
  return true;
}

bool ScratchFile::ReadFrom(std::uint64_t at) {
  read_.clear();
  readFrom_ = 0;
  next_ = at;
  return Flush();
}

long ScratchFile::Read(char* data, std::size_t size) {
  if (fd_ < 0 || !Flush()) return fd_ < 0 ? 0 : -1;
  if (readFrom_ == read_.size()) {
    read_.resize(kReadAheadBytes);
    readFrom_ = 0;
    FileSize got = -1;
    if (SeekTo(fd_, next_))
      do got = SystemRead(fd_, read_.data(), read_.size());
      while (got < 0 && errno == EINTR);
    if (got < 0) {
      read_.clear();
      Fail(errno);
      return -1;
    }
    read_.resize(static_cast<std::size_t>(got));
    next_ += static_cast<std::uint64_t>(got);
  }
  const std::size_t taken = std::min(size, read_.size() - readFrom_);
  std::copy_n(read_.data() + readFrom_, taken, data);
  readFrom_ += taken;
  return static_cast<long>(taken);
}

bool CanMakeFileIn(const fs::path& folder) {
  fs::path made;
  std::string error;
  const int fd = MakeUnique(folder, "quillet", ".probe", false, made, error);
  if (fd < 0) return false;
  CloseFile(fd);
  Remove(made);
  return true;
}

#ifdef _WIN32
namespace {
BOOL WINAPI RemoveLeftoversOnInterrupt(DWORD) {
  leftovers.RemoveAll();
  return FALSE;  // the default handler ends the program
}
}  // namespace

void RemoveTemporaryFilesOnInterrupt() { SetConsoleCtrlHandler(RemoveLeftoversOnInterrupt, TRUE); }

void ReserveStandardStreams() {}
#else
namespace {
extern "C" void RemoveLeftoversAndStop(int signal) {
  leftovers.RemoveAll();
  // SA_RESETHAND has put the default action back; it runs once this returns.
  raise(signal);
}
}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveLeftoversAndStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(signal, &action, nullptr);
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

void ReserveStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      ::close(opened);
    }
  }
}
#endif

}  // namespace quillet
