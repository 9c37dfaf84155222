// A non-player character: an entity with a kind, numbered dialogues and a random
// walk. The world holds the NPCs of a map, the editor's NPC list the definitions.
//
// NPC record (1016 bytes plus its dialogue records, little-endian):
//   0     500  name, text field
//   500   4    x, signed 32-bit
//   504   4    y, signed 32-bit
//   508   500  imageFile, text field
//   1008  4    type, signed 32-bit (RkNPCType; any value is kept)
//   1012  4    dialogue count D, unsigned 32-bit
//   1016  ...  D dialogue records (RkDialogue), in order
// The wander interval and lastMoveTime are not stored: a loaded NPC starts idle.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "RkDialogue.h"
#include "RkEntity.h"

class RkBinaryReader;
class RkBinaryWriter;

enum RkNPCType : int32_t {
  NPCNone = 0,    // a fresh NPC before its record is read; does not wander
  NPCNormal = 1,  // may take one random step every 3 seconds
  NPCStatic = 2,  // never moves by itself
};

class RkNPC : public RkEntity {
 public:
  static constexpr int kBaseRecordSize = 1016;
  static constexpr double kWanderInterval = 3.0;

  // Kind NPCNone, used before reading a record.
  RkNPC() = default;
  // Kind NPCNormal with that name; fatal for a name of 500 characters or more.
  explicit RkNPC(const char* name);
  ~RkNPC() override;
  RkNPC(const RkNPC&) = default;
  RkNPC& operator=(const RkNPC&) = default;

  int32_t GetType() const { return type_; }
  void SetType(int32_t type) { type_ = type; }

  // Called by the game once per step with its clock in seconds. A Normal NPC
  // takes one step (rand() % 5, 0 staying put) when 3 seconds have passed since
  // its interval began; returns the direction taken, DirectionNone otherwise.
  // The grid is not consulted: the game puts the NPC back where it may not stand.
  RkDirection Wander(double now);
  double GetLastMoveTime() const { return lastMoveTime_; }

  // A Text ID that exists gets the new text in its first dialogue; otherwise a
  // dialogue is appended.
  void AddDialogue(int32_t id, const char* text);
  // Removes every dialogue with that ID.
  void RemoveDialogue(int32_t id);
  // Appends the option to every dialogue with that ID.
  void AddResponse(int32_t dialogueId, const char* text, int32_t nextId);
  // Removes the options with exactly this text from every dialogue with that ID.
  void RemoveResponse(int32_t dialogueId, const char* text);

  unsigned GetDialogueCount() const { return static_cast<unsigned>(dialogues_.size()); }
  // Of the dialogue at that index; null or 0 for an index not below the count.
  const char* GetDialogueText(unsigned index) const;
  int32_t GetDialogueID(unsigned index) const;
  // Of the first dialogue with that ID; 0, null or 0 when there is none.
  unsigned GetResponseCount(int32_t dialogueId) const;
  const char* GetResponseText(int32_t dialogueId, unsigned index) const;
  int32_t GetResponseNextID(int32_t dialogueId, unsigned index) const;

  // Appends the NPC record; a failed write comes back as the failure of its
  // fatal report ("Failed to write NPC data to file.", or its dialogues').
  [[nodiscard]] std::optional<RkFailure> Write(RkBinaryWriter& writer) const;
  // Fills a fresh NPC from the record at the reader's position. Dialogue records
  // are taken only while the file holds bytes; a failed read comes back as the
  // failure of its fatal report ("Failed to read NPC data.", or its dialogues').
  [[nodiscard]] std::optional<RkFailure> Read(RkBinaryReader& reader);

 private:
  const RkDialogue* FindDialogue(int32_t id) const;
  RkDialogue* FindDialogue(int32_t id);

  int32_t type_ = NPCNone;
  std::vector<RkDialogue> dialogues_;
  double lastMoveTime_ = 0.0;
};
