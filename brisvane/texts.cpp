#include "texts.h"

#include <cstdio>

namespace brisvane {

namespace {

std::string Printed(const char* format, double a, double b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

std::string ByteText(std::uint64_t bytes) {
    const double value = static_cast<double>(bytes);
    if (bytes < 1024) return Printed("%.0f B", value);
    if (bytes < 1024 * 1024) return Printed("%.1f KB", value / 1024);
    if (bytes < 1024ull * 1024 * 1024) return Printed("%.1f MB", value / (1024 * 1024));
    return Printed("%.2f GB", value / (1024.0 * 1024 * 1024));
}

std::string StatusText(const Progress& progress) {
    switch (progress.phase) {
        case Phase::kVerifying: return "正在获取并验证更新清单…";
        case Phase::kChecking: return "正在检查已安装的文件…";
        case Phase::kDownloading: return "正在下载更新…";
        case Phase::kRecording: return "正在保存更新记录…";
        case Phase::kRestarting: return "更新已下载完成，正在重新启动游戏…";
        case Phase::kDone: return "更新已下载完成。";
        case Phase::kFailed: return FailureText(progress.failure);
    }
    return "";
}

std::string FileText(const Progress& progress) {
    if (progress.phase != Phase::kDownloading || progress.fileNumber == 0) return "";
    return "当前文件：" + progress.file + " (" + std::to_string(progress.fileNumber) + "/" +
           std::to_string(progress.fileCount) + ")";
}

std::string AmountText(std::uint64_t received, std::uint64_t total, double seconds) {
    std::string text = ByteText(received) + " / " + ByteText(total);
    if (seconds > 0.2) {
        const double perSecond = static_cast<double>(received) / seconds;
        text += "    " + ByteText(static_cast<std::uint64_t>(perSecond)) + "/秒";
    }
    return text;
}

std::string FailureText(const DownloadResult& failure) {
    std::string why;
    switch (failure.outcome) {
        case Outcome::kDone: return "";
        case Outcome::kUnreachable: why = "无法连接更新服务器，或连接已中断。"; break;
        case Outcome::kHttpStatus:
            why = "更新服务器返回错误（HTTP " + std::to_string(failure.status) + "）。";
            break;
        case Outcome::kShortBody: why = "下载的文件不完整。"; break;
        case Outcome::kHashMismatch: why = "下载的文件校验失败。"; break;
        case Outcome::kWriteFailed: why = "无法写入文件，磁盘可能已满。"; break;
        case Outcome::kCancelled: why = "更新已取消。"; break;
        case Outcome::kBadManifest: why = "更新清单无效。"; break;
        case Outcome::kUnverified: why = "无法验证更新（签名缺失或无效），未安装任何文件。"; break;
        case Outcome::kOlderRelease: why = "服务器提供的更新早于已安装的版本，已拒绝安装。"; break;
        case Outcome::kRecordFailed: why = "无法写入更新记录 Update.xml。"; break;
        case Outcome::kRestartFailed: why = "无法重新启动游戏。"; break;
    }
    return "更新失败：" + why;
}

int Permille(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0) return 0;
    if (part >= whole) return 1000;
    return static_cast<int>(part * 1000 / whole);
}

}  // namespace brisvane
