// The ordered object lists of the game, with the walk and its cursor rule.
#pragma once

#include <vector>

template <typename Record>
class ObjectList {
 public:
  void Clear() { records_.clear(); }

  // A new record with every field zero, at the end of the list.
  Record& Append() { return records_.emplace_back(); }

  int Count() const { return static_cast<int>(records_.size()); }
  Record& At(int index) { return records_[index]; }
  const Record& At(int index) const { return records_[index]; }
  void RemoveAt(int index) { records_.erase(records_.begin() + index); }

  // Visits the records from first to last; `visit(record)` returns true to remove that record.
  // The cursor rule: removing the current record makes its predecessor current or, when it has
  // none, its successor, and the walk then steps on. So removing the record that is first at that
  // moment passes over the record that followed it; removing any other passes over nothing.
  // `visit` may append to other lists but never to this one.
  template <typename Visit>
  void Walk(Visit visit) {
    for (int index = 0; index < Count(); ++index) {
      if (!visit(records_[index])) continue;
      RemoveAt(index);
      if (index > 0) {
        --index;  // the predecessor is current; the next step reaches the follower
      }
      // else: the follower became first and current, so the next step passes over it
    }
  }

 private:
  std::vector<Record> records_;
};
