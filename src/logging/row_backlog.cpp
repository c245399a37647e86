#include "logging/row_backlog.h"

#include "logging/log_format.h"

namespace logging {
namespace {

// One append takes about this much: a day's backlog goes out in a few dozen opens of the file,
// and no single write grows without bound.
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;

}  // namespace

void RowBacklog::LimitToIntervalMs(std::uint32_t intervalMs) {
  maxRows_ = intervalMs == 0 ? kKeptSpanMs : kKeptSpanMs / intervalMs;
  if (maxRows_ == 0) maxRows_ = 1;
}

void RowBacklog::KeepHeader(std::string header) {
  header_ = std::move(header);
}

bool RowBacklog::Keep(std::string row) {
  bytes_ += row.size();
  rows_.push_back(std::move(row));
  bool dropped = false;
  while (rows_.size() > 1 && (rows_.size() > maxRows_ || bytes_ > maxBytes_)) {
    DropOldest();
    dropped = true;
  }
  const bool firstDrop = dropped && !dropping_;
  dropping_ = dropping_ || dropped;
  return firstDrop;
}

void RowBacklog::DropOldest() {
  bytes_ -= rows_.front().size();
  rows_.pop_front();
}

AppendResult RowBacklog::AppendBatch(RecordFile& file, const char* path) {
  if (Empty()) return AppendResult::kWritten;
  std::string batch = lineBroken_ ? std::string(kLineEnd) : std::string();
  batch += header_;
  std::size_t taken = 0;
  while (taken < rows_.size() &&
         (taken == 0 || batch.size() + rows_[taken].size() <= kBatchBytes)) {
    batch += rows_[taken++];
  }
  const Appended appended = AppendWhole(file, path, batch);
  Forget(appended.stayed);
  if (Empty()) dropping_ = false;
  return appended.result;
}

void RowBacklog::Forget(std::size_t stayed) {
  if (lineBroken_) {
    if (stayed < kLineEnd.size()) return;  // still inside the broken line
    stayed -= kLineEnd.size();
  }
  if (!header_.empty()) {
    if (stayed < header_.size()) {
      lineBroken_ = stayed > 0;
      return;
    }
    stayed -= header_.size();
    header_.clear();
  }
  while (!rows_.empty() && stayed >= rows_.front().size()) {
    stayed -= rows_.front().size();
    DropOldest();
  }
  lineBroken_ = stayed > 0;
}

}  // namespace logging
