// Dialogues: response options and the dialogue record.
#include "RkDialogue.h"

#include <algorithm>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "RkError.h"

RkDialogue::RkDialogue(int32_t id, const char* text) { text_.SetAsDialogueText(id, text); }

const char* RkDialogue::GetResponseText(unsigned index) const {
  return index < responses_.size() ? responses_[index].GetText() : nullptr;
}

int32_t RkDialogue::GetResponseNextID(unsigned index) const {
  return index < responses_.size() ? responses_[index].GetNextID() : 0;
}

void RkDialogue::AddResponse(const char* text, int32_t nextId) {
  RkText response;
  response.SetAsResponse(text, nextId);
  responses_.push_back(response);
}

void RkDialogue::RemoveResponse(const char* text) {
  responses_.erase(std::remove_if(responses_.begin(), responses_.end(),
                                  [text](const RkText& response) { return response.HasText(text); }),
                   responses_.end());
}

std::optional<RkFailure> RkDialogue::Write(RkBinaryWriter& writer) const {
  if (auto failure = text_.Write(writer)) return failure;
  if (!writer.WriteUInt32(static_cast<uint32_t>(responses_.size()))) {
    return RkFailure::FromError("Failed to write dialogue data to file.", writer.GetError(), "RkDialogue", 86);
  }
  for (const RkText& response : responses_) {
    if (auto failure = response.Write(writer)) return failure;
  }
  return std::nullopt;
}

std::optional<RkFailure> RkDialogue::Read(RkBinaryReader& reader) {
  if (auto failure = text_.Read(reader)) return failure;
  uint32_t count = 0;
  if (!reader.ReadUInt32(count)) {
    return RkFailure::FromError("Failed to read dialogue data.", reader.GetError(), "RkDialogue", 115);
  }
  // A damaged count is honoured only while the file still holds records.
  for (uint32_t i = 0; i < count && reader.HasMore(); ++i) {
    RkText response;
    if (auto failure = response.Read(reader)) return failure;
    responses_.push_back(response);
  }
  return std::nullopt;
}
