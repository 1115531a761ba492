// The updater's words and numbers as the window shows them (code page 936).
#pragma once
#include <cstdint>
#include <string>

#include "progress_state.h"

namespace brisvane {

std::string ByteText(std::uint64_t bytes);  // "512 B", "1.5 KB", "12.3 MB"
std::string StatusText(const Progress& progress);
std::string FileText(const Progress& progress);
// Received of total, and the average speed since the attempt began.
std::string AmountText(std::uint64_t received, std::uint64_t total, double seconds);
std::string FailureText(const DownloadResult& failure);
// 0 to 1000 for a progress bar.
int Permille(std::uint64_t part, std::uint64_t whole);

}  // namespace brisvane
