// The Rot, Scale and Trans properties of a draw list: the first transform of each kind in its
// transform list.
#include "gx_drawlist.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {
template <class T>
T* FindTraf(const TTrafList* list) {
  if (!list) return nullptr;
  for (int i = 0; i < list->Count(); ++i) {
    if (auto* t = dynamic_cast<T*>(list->GetTraf(i))) return t;
  }
  return nullptr;
}

// Removes and destroys the present transform of kind T, then appends v at the end, so the
// order in which animations are attached is the order in which they act.
template <class T>
void ReplaceTraf(TTrafList* list, std::unique_ptr<T> v) {
  if (!list) return;
  T* present = FindTraf<T>(list);
  if (v && v.get() == present) {
    // Already held by the list, which keeps owning it: nothing changes.
    (void)v.release();
    return;
  }
  if (present) list->FreeItem(list->IndexOf(present));
  if (v) list->AddTraf(std::move(v));
}
}  // namespace

TRotate* TDrawList::Rot() const {
  return FindTraf<TRotate>(FTrafList.get());
}
TScale* TDrawList::Scale() const {
  return FindTraf<TScale>(FTrafList.get());
}
TTrans* TDrawList::Trans() const {
  return FindTraf<TTrans>(FTrafList.get());
}

void TDrawList::SetRot(std::unique_ptr<TRotate> v) {
  ReplaceTraf(FTrafList.get(), std::move(v));
}
void TDrawList::SetScale(std::unique_ptr<TScale> v) {
  ReplaceTraf(FTrafList.get(), std::move(v));
}
void TDrawList::SetTrans(std::unique_ptr<TTrans> v) {
  ReplaceTraf(FTrafList.get(), std::move(v));
}
