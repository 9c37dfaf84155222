// The NPC list: editing definitions by name, and the "NPCs.rk" file.
#include "RkNPCList.h"

#include <algorithm>
#include <cstring>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"

namespace {

// The list lives in the editor's engine object, whose reports carry its name.
constexpr const char* kSource = "RkEngine";

}  // namespace

const RkNPC* RkNPCList::Find(const char* name) const {
  for (const RkNPC& npc : npcs_) {
    if (name != nullptr && std::strcmp(npc.GetName(), name) == 0) return &npc;
  }
  return nullptr;
}

RkNPC* RkNPCList::Find(const char* name) {
  return const_cast<RkNPC*>(static_cast<const RkNPCList*>(this)->Find(name));
}

template <typename Operation>
void RkNPCList::ForEachNamed(const char* name, Operation operation) {
  if (name == nullptr) return;
  for (RkNPC& npc : npcs_) {
    if (std::strcmp(npc.GetName(), name) == 0) operation(npc);
  }
}

void RkNPCList::SaveNPC(const char* name, const char* imageFile) {
  if (RkNPC* existing = Find(name)) {
    existing->SetImageFile(imageFile);
    return;
  }
  RkNPC npc(name);
  npc.SetImageFile(imageFile);
  npcs_.push_back(std::move(npc));
}

void RkNPCList::RemoveNPC(const char* name) {
  if (name == nullptr) return;
  npcs_.erase(std::remove_if(npcs_.begin(), npcs_.end(),
                             [name](const RkNPC& npc) { return std::strcmp(npc.GetName(), name) == 0; }),
              npcs_.end());
}

RkNPC RkNPCList::FindNPC(const char* name) const {
  const RkNPC* npc = Find(name);
  return npc != nullptr ? *npc : RkNPC();
}

void RkNPCList::AddDialogue(const char* name, int32_t id, const char* text) {
  ForEachNamed(name, [&](RkNPC& npc) { npc.AddDialogue(id, text); });
}

void RkNPCList::RemoveDialogue(const char* name, int32_t id) {
  ForEachNamed(name, [&](RkNPC& npc) { npc.RemoveDialogue(id); });
}

void RkNPCList::AddResponse(const char* name, int32_t dialogueId, const char* text, int32_t nextId) {
  ForEachNamed(name, [&](RkNPC& npc) { npc.AddResponse(dialogueId, text, nextId); });
}

void RkNPCList::RemoveResponse(const char* name, int32_t dialogueId, const char* text) {
  ForEachNamed(name, [&](RkNPC& npc) { npc.RemoveResponse(dialogueId, text); });
}

const char* RkNPCList::GetDialogueText(const char* name, unsigned index) const {
  const RkNPC* npc = Find(name);
  return npc != nullptr ? npc->GetDialogueText(index) : nullptr;
}

int32_t RkNPCList::GetDialogueID(const char* name, unsigned index) const {
  const RkNPC* npc = Find(name);
  return npc != nullptr ? npc->GetDialogueID(index) : 0;
}

const char* RkNPCList::GetResponseText(const char* name, int32_t dialogueId, unsigned index) const {
  const RkNPC* npc = Find(name);
  return npc != nullptr ? npc->GetResponseText(dialogueId, index) : nullptr;
}

int32_t RkNPCList::GetResponseNextID(const char* name, int32_t dialogueId, unsigned index) const {
  const RkNPC* npc = Find(name);
  return npc != nullptr ? npc->GetResponseNextID(dialogueId, index) : 0;
}

void RkNPCList::SaveNPCFile(const char* path) const {
  RkBinaryWriter writer;
  if (!writer.Open(path)) ReportWin32Error("Failed to create the NPCs.rk file.", kSource, 1409);
  if (!writer.WriteUInt32(static_cast<uint32_t>(npcs_.size()))) {
    ReportWin32Error("Failed to write NPC data to file.", kSource, 1416);
  }
  for (const RkNPC& npc : npcs_) npc.Write(writer);
  // Closing also puts the finished file in place of the old one.
  if (!writer.Close()) ReportWin32Error("Failed to close the NPCs.rk file.", kSource, 1427);
}

void RkNPCList::LoadNPCFile(const char* path) {
  npcs_.clear();
  RkBinaryReader reader;
  // No file yet is not an error: the list stays empty.
  if (!reader.Open(path)) return;
  uint32_t count = 0;
  if (!reader.ReadUInt32(count)) ReportWin32Error("Failed to read from the NPCs.rk file.", kSource, 1457);
  // A damaged count is honoured only while the file still holds records.
  for (uint32_t i = 0; i < count && reader.HasMore(); ++i) {
    RkNPC npc;
    npc.Read(reader);
    npcs_.push_back(std::move(npc));
  }
  if (!reader.Close()) ReportWin32Error("Failed to close the NPCs.rk file.", kSource, 1470);
}
