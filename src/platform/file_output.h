// The one way the program writes a file: the schedule tool's output, the
// schedule window's export, every PDF and the settings file.
//
// A regular file is written beside its target, into a file of a name no
// other writer uses, made exclusively (never through a link left there),
// and renamed over the target only once complete and on disk, with the
// target's permission bits and owner. A failed or interrupted write leaves
// the old file whole; of two writers, the later rename wins with its whole
// file. A link to a regular file is followed: the file it names is
// replaced and the link stays. A target that is not a regular file (a
// device such as /dev/null, a pipe) is written directly and never replaced.
// Standard output is held in an unnamed temporary file and copied out once
// complete, so a run that fails writes nothing there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class FileOutput {
 public:
  // Into the file at `target`.
  explicit FileOutput(const std::filesystem::path& target);
  // Into standard output.
  FileOutput();
  FileOutput(const FileOutput&) = delete;
  FileOutput& operator=(const FileOutput&) = delete;
  // An output not committed is dropped, its temporary file removed.
  ~FileOutput();

  // False, with Error(), when the output cannot be started.
  bool Open();
  // Where the bytes go between Open and Commit.
  std::ostream& Stream();
  // Puts the whole output in place. False, with Error(), when any of it
  // could not be written; a replaced file is then left as it was.
  bool Commit();
  // Why the last step failed, in the system's words ("No space left on device").
  const std::string& Error() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Bytes kept to be read back, in a file of the temporary folder ($TMPDIR,
// else /tmp; GetTempPath on Windows) that has no name there (on Windows is
// deleted once closed), so nothing of it outlasts the program. Made at the
// first write; writes go to the end, reads from where ReadFrom put them,
// both through a buffer.
class ScratchFile {
 public:
  ScratchFile() = default;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();

  // False, with Error(), when the file cannot be made or written.
  bool Write(std::string_view bytes);
  // The bytes written so far.
  std::uint64_t Size() const { return size_; }
  // Reading goes on from that byte; false, with Error(), when it cannot.
  bool ReadFrom(std::uint64_t at);
  // Up to `size` bytes: how many, 0 at the end, -1 (with Error()) on a failure.
  long Read(char* data, std::size_t size);
  const std::string& Error() const { return error_; }

 private:
  bool Flush();
  bool Fail(int code);

  int fd_ = -1;
  std::string error_;
  std::string written_;  // at the end, not yet in the file
  std::uint64_t size_ = 0;
  std::vector<char> read_;
  std::size_t readFrom_ = 0;
  std::uint64_t next_ = 0;  // where the next read from the file starts
};

// The bytes as the whole new content of `target`; "" or why it failed.
std::string WriteWholeFile(const std::filesystem::path& target, std::string_view bytes);

// True when a new file can be made in the folder: one of a name of its own
// is made there and removed at once.
bool CanMakeFileIn(const std::filesystem::path& folder);

// An interrupt (SIGINT, SIGTERM, SIGHUP, a closed pipe; Ctrl+C or a closed
// console on Windows) removes the temporary files of the outputs not yet
// committed, then ends the program as the signal would have. A signal the
// program was started with ignored stays ignored. Past a file-size limit a
// write fails instead of ending the program.
void RemoveTemporaryFilesOnInterrupt();

// Standard streams closed at start get /dev/null, opened the other way
// round, so no file the program opens takes their place and any use of
// them fails.
void ReserveStandardStreams();

}  // namespace quillet
