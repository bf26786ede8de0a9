#pragma once
// File names and file operations. File names are UTF-8, '/' separated.
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

// Directory of the running executable, with a trailing '/'.
std::string ExeDir();
// Makes ExeDir return Dir (with a trailing '/' added); empty restores it.
void SetExeDirForTesting(const std::string& Dir);

std::string IncludeTrailingPathDelimiter(std::string_view Path);
std::string ExcludeTrailingPathDelimiter(std::string_view Path);
// Up to and including the last '/'.
std::string ExtractFilePath(std::string_view FileName);
// After the last '/'.
std::string ExtractFileName(std::string_view FileName);
// From the last '.' of the name part, including it; empty when none.
std::string ExtractFileExt(std::string_view FileName);
std::string ChangeFileExt(std::string_view FileName, std::string_view Extension);

// Creates Dir and its parents; true when it exists afterwards.
bool ForceDirectories(std::string_view Dir);
bool FileExists(std::string_view FileName);
bool DirectoryExists(std::string_view Dir);
bool DeleteFile(std::string_view FileName);
// Renames; fails (false) when NewName already exists, so nothing is ever
// overwritten. Falls back to copy and delete when the two names are on
// different file systems.
bool RenameFile(std::string_view OldName, std::string_view NewName);

// Whole file as bytes; raises EInOutError naming the file on failure. A
// pipe that nobody writes to reads as empty.
std::string ReadFileBytes(std::string_view FileName);
// Writes Bytes to a temporary file beside FileName, flushes it to disk and
// renames it over FileName, so readers see the old or the new file, never
// a part. A symbolic link is followed and the file it points to replaced;
// a device or pipe is written into as it stands (a pipe that nobody reads
// fails at once). Raises EInOutError naming the file on failure.
void WriteFileAtomic(std::string_view FileName, std::string_view Bytes);

// Appends Bytes to FileName, creating the file when it is missing (unless
// CreateMissing is false: then a missing file is the error), and closes it
// again at once, since some file systems report a full disk only then.
// Returns the system's error, empty when all of Bytes is in the file;
// after a failure part of them may be.
std::error_code AppendToFile(std::string_view FileName, std::string_view Bytes, bool CreateMissing = true);
// Cuts FileName back to its first Size bytes.
std::error_code TruncateFile(std::string_view FileName, std::uint64_t Size);
