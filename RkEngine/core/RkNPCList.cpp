// The NPC list: editing definitions by name, and the "NPCs.rk" file.
#include "RkNPCList.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"

namespace {

// The list lives in the editor's engine object, whose reports carry its name.
constexpr const char* kSource = "RkEngine";
constexpr const char* kCreateFailed = "Failed to create the NPCs.rk file.";
constexpr const char* kWriteFailed = "Failed to write NPC data to file.";
constexpr const char* kCloseFailed = "Failed to close the NPCs.rk file.";

RkFailure WriterFailure(const RkBinaryWriter& writer, const char* message, int line) {
  return RkFailure::FromError(message, writer.GetError(), kSource, line);
}

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

void RkNPCList::InsertNPC(unsigned index, const RkNPC& npc) {
  npcs_.insert(npcs_.begin() + std::min<std::size_t>(index, npcs_.size()), npc);
}

void RkNPCList::EraseNPC(unsigned index) {
  if (index < npcs_.size()) npcs_.erase(npcs_.begin() + index);
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
  if (std::optional<RkFailure> failure = TrySaveNPCFile(path)) failure->Report();
}

std::optional<RkFailure> RkNPCList::TrySaveNPCFile(const char* path) const {
  RkBinaryWriter writer;
  if (!writer.Open(path)) return WriterFailure(writer, kCreateFailed, 1409);
  if (!writer.WriteUInt32(static_cast<uint32_t>(npcs_.size()))) return WriterFailure(writer, kWriteFailed, 1416);
  for (const RkNPC& npc : npcs_) {
    if (auto failure = npc.Write(writer)) return failure;
  }
  // The last buffered data reaches the file (and the disk) here: a failure is
  // the list's last write failing.
  if (!writer.Flush()) return WriterFailure(writer, kWriteFailed, 1416);
  if (!writer.Close()) return WriterFailure(writer, kCloseFailed, 1427);
  // Putting the finished file in place of the old one completes its creation.
  if (!writer.Commit()) return WriterFailure(writer, kCreateFailed, 1409);
  return std::nullopt;
}

void RkNPCList::LoadNPCFile(const char* path) {
  if (std::optional<RkFailure> failure = TryLoadNPCFile(path)) failure->Report();
}

std::optional<RkFailure> RkNPCList::TryLoadNPCFile(const char* path) {
  RkBinaryReader reader;
  // No file yet is not an error: the list is empty. A folder of that name is
  // no file either.
  if (!reader.Open(path)) {
    npcs_.clear();
    return std::nullopt;
  }
  std::vector<RkNPC> loaded;
  if (auto failure = ReadNPCs(reader, loaded)) return failure;
  if (!reader.Close()) return RkFailure::FromError(kCloseFailed, reader.GetError(), kSource, 1470);
  npcs_.swap(loaded);
  return std::nullopt;
}

std::optional<RkFailure> RkNPCList::TryReadNPCFile(RkBinaryReader& reader) {
  std::vector<RkNPC> loaded;
  if (auto failure = ReadNPCs(reader, loaded)) return failure;
  npcs_.swap(loaded);
  return std::nullopt;
}

std::optional<RkFailure> RkNPCList::ReadNPCs(RkBinaryReader& reader, std::vector<RkNPC>& loaded) {
  uint32_t count = 0;
  if (!reader.ReadUInt32(count)) {
    return RkFailure::FromError("Failed to read from the NPCs.rk file.", reader.GetError(), kSource, 1457);
  }
  // A damaged count is honoured only while the file still holds records.
  for (uint32_t i = 0; i < count && reader.HasMore(); ++i) {
    RkNPC npc;
    if (auto failure = npc.Read(reader)) return failure;
    loaded.push_back(std::move(npc));
  }
  return std::nullopt;
}
