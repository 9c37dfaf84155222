// NPCs: the random walk, dialogue editing by Text ID, and the NPC record.
#include "RkNPC.h"

#include <algorithm>
#include <cstdlib>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"

namespace {

constexpr const char* kSource = "RkNPC";
constexpr const char* kWriteFailed = "Failed to write NPC data to file.";
constexpr const char* kReadFailed = "Failed to read NPC data.";

RkFailure WriteFailure(const RkBinaryWriter& writer, int line) {
  return RkFailure::FromError(kWriteFailed, writer.GetError(), kSource, line);
}

// The editor and the game report these reads from different lines.
RkFailure ReadFailure(const RkBinaryReader& reader, int editorLine, int gameLine) {
  return RkFailure::FromError(kReadFailed, reader.GetError(), kSource, RkProgramLine(editorLine, gameLine));
}

}  // namespace

RkNPC::RkNPC(const char* name) : type_(NPCNormal) {
  if (!name_.Assign(name)) ReportWin32Error("Failed to set the name of the NPC.", RkTextField::kTooLongCause, kSource, 23);
}

RkNPC::~RkNPC() = default;

RkDirection RkNPC::Wander(double now) {
  if (lastMoveTime_ == 0.0) lastMoveTime_ = now;
  if (now - lastMoveTime_ < kWanderInterval) return DirectionNone;
  if (type_ != NPCNormal) return DirectionNone;
  lastMoveTime_ = 0.0;
  const RkDirection direction = static_cast<RkDirection>(std::rand() % 5);
  Move(direction);
  return direction;
}

const RkDialogue* RkNPC::FindDialogue(int32_t id) const {
  for (const RkDialogue& dialogue : dialogues_) {
    if (dialogue.GetID() == id) return &dialogue;
  }
  return nullptr;
}

RkDialogue* RkNPC::FindDialogue(int32_t id) {
  return const_cast<RkDialogue*>(static_cast<const RkNPC*>(this)->FindDialogue(id));
}

void RkNPC::AddDialogue(int32_t id, const char* text) {
  if (RkDialogue* existing = FindDialogue(id)) {
    existing->SetText(text);
    return;
  }
  dialogues_.emplace_back(id, text);
}

void RkNPC::RemoveDialogue(int32_t id) {
  dialogues_.erase(std::remove_if(dialogues_.begin(), dialogues_.end(),
                                  [id](const RkDialogue& dialogue) { return dialogue.GetID() == id; }),
                   dialogues_.end());
}

void RkNPC::AddResponse(int32_t dialogueId, const char* text, int32_t nextId) {
  for (RkDialogue& dialogue : dialogues_) {
    if (dialogue.GetID() == dialogueId) dialogue.AddResponse(text, nextId);
  }
}

void RkNPC::RemoveResponse(int32_t dialogueId, const char* text) {
  for (RkDialogue& dialogue : dialogues_) {
    if (dialogue.GetID() == dialogueId) dialogue.RemoveResponse(text);
  }
}

const char* RkNPC::GetDialogueText(unsigned index) const {
  return index < dialogues_.size() ? dialogues_[index].GetText() : nullptr;
}

int32_t RkNPC::GetDialogueID(unsigned index) const {
  return index < dialogues_.size() ? dialogues_[index].GetID() : 0;
}

unsigned RkNPC::GetResponseCount(int32_t dialogueId) const {
  const RkDialogue* dialogue = FindDialogue(dialogueId);
  return dialogue != nullptr ? dialogue->GetResponseCount() : 0;
}

const char* RkNPC::GetResponseText(int32_t dialogueId, unsigned index) const {
  const RkDialogue* dialogue = FindDialogue(dialogueId);
  return dialogue != nullptr ? dialogue->GetResponseText(index) : nullptr;
}

int32_t RkNPC::GetResponseNextID(int32_t dialogueId, unsigned index) const {
  const RkDialogue* dialogue = FindDialogue(dialogueId);
  return dialogue != nullptr ? dialogue->GetResponseNextID(index) : 0;
}

std::optional<RkFailure> RkNPC::Write(RkBinaryWriter& writer) const {
  if (!name_.Write(writer)) return WriteFailure(writer, 161);
  if (!writer.WriteInt32(x_)) return WriteFailure(writer, 167);
  if (!writer.WriteInt32(y_)) return WriteFailure(writer, 173);
  if (!imageFile_.Write(writer)) return WriteFailure(writer, 179);
  if (!writer.WriteInt32(type_)) return WriteFailure(writer, 185);
  if (!writer.WriteUInt32(static_cast<uint32_t>(dialogues_.size()))) return WriteFailure(writer, 192);
  for (const RkDialogue& dialogue : dialogues_) {
    if (auto failure = dialogue.Write(writer)) return failure;
  }
  return std::nullopt;
}

std::optional<RkFailure> RkNPC::Read(RkBinaryReader& reader) {
  if (!name_.Read(reader)) return ReadFailure(reader, 218, 252);
  if (!reader.ReadInt32(x_)) return ReadFailure(reader, 224, 258);
  if (!reader.ReadInt32(y_)) return ReadFailure(reader, 230, 264);
  if (!imageFile_.Read(reader)) return ReadFailure(reader, 236, 270);
  if (!reader.ReadInt32(type_)) return ReadFailure(reader, 242, 276);
  uint32_t count = 0;
  if (!reader.ReadUInt32(count)) return ReadFailure(reader, 248, 282);
  // A damaged count is honoured only while the file still holds records.
  for (uint32_t i = 0; i < count && reader.HasMore(); ++i) {
    RkDialogue dialogue;
    if (auto failure = dialogue.Read(reader)) return failure;
    dialogues_.push_back(dialogue);
  }
  return std::nullopt;
}
