// Where the focus goes among a window's units: Tab order, radio button
// groups, and the child that gets the focus back when the window does.
#include <algorithm>

#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

constexpr uint32_t kTypeNoWindow = 0x8000;
constexpr uint32_t kTypeNeverFocused = 0x10000;
constexpr uint32_t kTypeRadioButton = 0x400;
constexpr uint32_t kUnitTabStop = 0x4;

// Shown, as far as the window is concerned: the unit and every window
// between it and the window carry WS_VISIBLE, whether the window itself is
// shown yet or not.
bool ShownWithin(HWND hwnd, HWND top) {
  for (HWND at = hwnd; at != nullptr && at != top; at = GetParent(at)) {
    if ((GetWindowLongA(at, GWL_STYLE) & WS_VISIBLE) == 0) return false;
  }
  return true;
}

bool IsCandidate(const UnitEntry& entry, HWND top) {
  return entry.window != nullptr && (entry.record_flags & kUnitTabStop) != 0 &&
         (entry.type_flags & (kTypeNoWindow | kTypeNeverFocused)) == 0 &&
         ShownWithin(entry.window, top) && IsWindowEnabled(entry.window);
}

// By tab order number; equal numbers in creation order, the last table entry
// first.
bool Before(const UnitEntry* a, const UnitEntry* b) { return a->tab_order < b->tab_order; }

std::vector<const UnitEntry*> Candidates(const std::vector<UnitEntry>& units, HWND top) {
  std::vector<const UnitEntry*> candidates;
  for (auto it = units.rbegin(); it != units.rend(); ++it) {
    if (IsCandidate(*it, top)) candidates.push_back(&*it);
  }
  std::stable_sort(candidates.begin(), candidates.end(), Before);
  return candidates;
}

// The step from a unit that is no candidate itself (a label, say): Tab goes
// to the first candidate whose number is not below its own, Shift+Tab to the
// last one below it.
const UnitEntry* StepFromOutside(const std::vector<const UnitEntry*>& candidates,
                                 const UnitEntry& from, Direction direction) {
  if (direction == Direction::kNext) {
    for (const UnitEntry* candidate : candidates) {
      if (candidate->tab_order >= from.tab_order) return candidate;
    }
    return candidates.front();
  }
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    if ((*it)->tab_order < from.tab_order) return *it;
  }
  return candidates.back();
}

const UnitEntry* Step(const std::vector<const UnitEntry*>& candidates, const UnitEntry* from,
                      Direction direction) {
  if (candidates.empty()) return nullptr;
  const bool next = direction == Direction::kNext;
  if (from == nullptr) return next ? candidates.front() : candidates.back();
  auto at = std::find(candidates.begin(), candidates.end(), from);
  if (at == candidates.end()) return StepFromOutside(candidates, *from, direction);
  const auto count = static_cast<ptrdiff_t>(candidates.size());
  const ptrdiff_t position = at - candidates.begin();
  return candidates[static_cast<size_t>((position + (next ? 1 : count - 1)) % count)];
}

bool Focusable(HWND hwnd, HWND top) {
  return hwnd != nullptr && IsWindow(hwnd) && IsChild(top, hwnd) && ShownWithin(hwnd, top) &&
         IsWindowEnabled(hwnd);
}

}  // namespace

bool MoveFocus(WindowUnit& unit, Direction direction) {
  const std::vector<UnitEntry> units = ListUnits(unit);
  const std::vector<const UnitEntry*> candidates = Candidates(units, unit.window);
  const UnitEntry* target = Step(candidates, UnitHolding(units, GetFocus()), direction);
  if (target == nullptr) return false;
  SetFocus(target->window);
  return true;
}

void ChooseRadioButton(const WindowUnit& unit, const std::vector<UnitEntry>& units,
                       const UnitEntry& radio) {
  for (const UnitEntry& entry : units) {
    if ((entry.type_flags & kTypeRadioButton) == 0 || entry.parent_id != radio.parent_id ||
        entry.window == nullptr) {
      continue;
    }
    SendMessageA(entry.window, BM_SETCHECK,
                 entry.index == radio.index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  RaiseUnitEvent(unit.window_id, radio.unit_id, 0);
}

bool MoveAmongRadioButtons(WindowUnit& unit, const UnitEntry& from, Direction direction) {
  const std::vector<UnitEntry> units = ListUnits(unit);
  std::vector<const UnitEntry*> group;
  const UnitEntry* self = nullptr;
  for (const UnitEntry* candidate : Candidates(units, unit.window)) {
    if ((candidate->type_flags & kTypeRadioButton) != 0 && candidate->parent_id == from.parent_id) {
      group.push_back(candidate);
    }
    if (candidate->index == from.index) self = candidate;
  }
  // A radio button that is no candidate (no tab stop) still has its place.
  if (self == nullptr) {
    auto it = std::find_if(units.begin(), units.end(),
                           [&](const UnitEntry& entry) { return entry.index == from.index; });
    if (it == units.end()) return false;
    self = &*it;
    group.insert(std::upper_bound(group.begin(), group.end(), self, Before), self);
  }
  const UnitEntry* target = Step(group, self, direction);
  if (target == nullptr || target == self) return false;
  const HWND hwnd = target->window;
  ChooseRadioButton(unit, units, *target);
  if (IsWindow(hwnd)) SetFocus(hwnd);
  return true;
}

bool RestoreFocus(WindowUnit& unit) {
  if (Focusable(unit.last_focus, unit.window)) {
    SetFocus(unit.last_focus);
    return true;
  }
  unit.last_focus = nullptr;
  const std::vector<UnitEntry> units = ListUnits(unit);
  const std::vector<const UnitEntry*> candidates = Candidates(units, unit.window);
  if (candidates.empty()) return false;
  SetFocus(candidates.front()->window);
  return true;
}

}  // namespace runtime::units::window
