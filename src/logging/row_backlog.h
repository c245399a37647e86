// The rows of a logging run that its file could not take yet: a file another program holds
// locked, a full disk, a folder that is gone. They are kept in memory, oldest first, and appended
// before the next row once the file can be written again, so that no second of the log is lost
// while the run lasts. A day of rows at the run's interval, and no more than 64 MiB, is kept; the
// oldest go beyond that. A run whose file could not take its header pair keeps it too, and
// writes it before its first row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "logging/record_file.h"

namespace logging {

inline constexpr std::size_t kKeptBytesLimit = std::size_t{64} << 20;
inline constexpr std::uint32_t kKeptSpanMs = 24u * 60 * 60 * 1000;

class RowBacklog {
 public:
  explicit RowBacklog(std::size_t maxBytes = kKeptBytesLimit) : maxBytes_(maxBytes) {}

  // The rows a day holds at this interval: the most that are kept.
  void LimitToIntervalMs(std::uint32_t intervalMs);
  void KeepHeader(std::string header);
  // Keeps `row` after the rows kept already, dropping the oldest beyond the limits. True when
  // this dropped the first row since the backlog was last empty.
  bool Keep(std::string row);
  // Appends the next batch: the header and whole rows, oldest first, about 1 MiB at most, whole
  // or not at all; kWritten when that batch is in the file, and then it is no longer kept. When
  // a failed batch could not be cut back, what of it reached the file whole is not written
  // again, and the next batch begins on a line of its own after the broken one.
  AppendResult AppendBatch(RecordFile& file, const char* path);

  bool Empty() const { return header_.empty() && rows_.empty(); }
  std::size_t Rows() const { return rows_.size(); }

 private:
  void DropOldest();
  // Forgets the first `stayed` bytes of the batch just appended.
  void Forget(std::size_t stayed);

  std::size_t maxBytes_;
  std::size_t maxRows_ = kKeptSpanMs / 1000;
  std::string header_;
  std::deque<std::string> rows_;
  std::size_t bytes_ = 0;
  bool dropping_ = false;
  bool lineBroken_ = false;  // the file ends inside a line of a batch that failed
};

}  // namespace logging
