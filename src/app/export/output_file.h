#pragma once
// The one door every file the programs write goes through: the results and their exports, the chart's
// pictures and the tournament settings file, from the window and from the report tool alike.
//
// Use:
//   WriteOutputFile(path, bytes, model.Read(), OutputKind::Results);   // throws ExportError

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vsl {

// A file that could not be written, or that may not be: what() is "<path>: <reason>".
class ExportError : public std::runtime_error {
 public:
  ExportError(const std::string& path, const std::string& reason)
      : std::runtime_error(path + ": " + reason) {}
};

// The files a run read, which no output may replace: the saves of the last batch and every tournament
// settings file read since the start.
class FilesRead {
 public:
  // The saves of a new batch, in place of those of the batch before.
  void SetSaves(std::vector<std::string> paths) { saves_ = std::move(paths); }
  void AddSettingsFile(const std::string& path);
  const std::vector<std::string>& Saves() const { return saves_; }
  const std::vector<std::string>& SettingsFiles() const { return settingsFiles_; }

 private:
  std::vector<std::string> saves_;
  std::vector<std::string> settingsFiles_;
};

// What is written (Picture: a page of the window); it names the output in a refusal. Tournament
// settings may replace a settings file the run read (the referee saves the settings they opened and
// changed), never a save.
enum class OutputKind { Results, Chart, Picture, TournamentSettings };

// Throws ExportError when `path` is the same file as one the run read (also through links or another
// spelling of the path), before anything is written.
void CheckOutputTarget(const std::string& path, const FilesRead& read, OutputKind kind = OutputKind::Results);

// Checks the target as above, then writes `bytes` to the file at `path`, creating or replacing it;
// throws ExportError naming the file and the reason when it cannot or may not be written.
// - A file the user may not write (another user's 0644 file, the user's own 0444 file) is refused and
//   left as it is.
// - A regular file is written beside under a short temporary name and renamed over the old one when
//   complete, so that a failure halfway (a full disk) leaves the old content; the new file keeps the
//   old one's permissions, owner and group. A link stays and the file it points to is replaced.
// - Where that cannot be done (a folder the user may not write; another user's file, whose owner the
//   process may not give) the file is rewritten in place, after its room for the new content has been
//   reserved; a failure on the way puts the old content back.
// - A device or a FIFO is written through, never replaced; a FIFO that no program reads from is refused.
// - A new file gets the permissions the process's umask gives.
void WriteOutputFile(const std::string& path, std::string_view bytes, const FilesRead& read,
                     OutputKind kind = OutputKind::Results);

}  // namespace vsl
