#pragma once
// Log file naming: never overwrite an existing file.
#include <string>
#include <string_view>

// The name without its last extension (directory kept).
std::string RemoveFileExt(std::string_view FileName);

// FileName when no such file exists; otherwise the first free name made by
// numbering: x.csv -> x(2).csv -> x(3).csv; x(7).csv -> x.csv when free,
// else x(8).csv.
std::string UniqueFileName(std::string_view FileName);
