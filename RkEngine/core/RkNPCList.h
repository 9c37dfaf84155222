// The editor's library of NPC definitions (name, image, dialogues), stored in
// "NPCs.rk" in the working directory. The editor's engine object owns it; the
// map editor lists its names and the NPC editor edits it.
//
// NPC file (little-endian, no magic number, version or checksum):
//   0   4    NPC count N, unsigned 32-bit
//   4   ...  N NPC records (RkNPC), in list order, each with its dialogues
// The same layout as the NPC section at the end of a world file.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "RkFailure.h"
#include "RkNPC.h"

class RkBinaryReader;

class RkNPCList {
 public:
  static constexpr const char* kFileName = "NPCs.rk";

  unsigned GetCount() const { return static_cast<unsigned>(npcs_.size()); }
  // Index below GetCount().
  const RkNPC& GetNPC(unsigned index) const { return npcs_.at(index); }

  // Names are compared exactly (case-sensitive). SaveNPC gives the first NPC of
  // that name the image file, or appends a Normal NPC with that name and image.
  void SaveNPC(const char* name, const char* imageFile);
  // Removes every NPC with that name.
  void RemoveNPC(const char* name);
  // A copy of the first NPC with that name; for a name not in the list, a fresh
  // NPC (empty name and image, kind NPCNone, no dialogues).
  RkNPC FindNPC(const char* name) const;
  // Puts an NPC at that place of the list (at most GetCount()), or takes the
  // one there out: the others keep their order. For taking edits back.
  void InsertNPC(unsigned index, const RkNPC& npc);
  void EraseNPC(unsigned index);

  // The NPC's dialogue operations, on every NPC with that name.
  void AddDialogue(const char* name, int32_t id, const char* text);
  void RemoveDialogue(const char* name, int32_t id);
  void AddResponse(const char* name, int32_t dialogueId, const char* text, int32_t nextId);
  void RemoveResponse(const char* name, int32_t dialogueId, const char* text);

  // Of the first NPC with that name; null or 0 when no NPC has it.
  const char* GetDialogueText(const char* name, unsigned index) const;
  int32_t GetDialogueID(const char* name, unsigned index) const;
  const char* GetResponseText(const char* name, int32_t dialogueId, unsigned index) const;
  int32_t GetResponseNextID(const char* name, int32_t dialogueId, unsigned index) const;

  // Writes the whole list to "NPCs.rk" (or the given path) through a temporary
  // file, so a failed save leaves the previous file whole. A failure comes back
  // with the texts of the fatal report that SaveNPCFile gives ("Failed to create
  // the NPCs.rk file.", "Failed to write NPC data to file." or a record's write
  // message, "Failed to close the NPCs.rk file.").
  [[nodiscard]] std::optional<RkFailure> TrySaveNPCFile(const char* path = kFileName) const;
  // TrySaveNPCFile, with a failure reported fatally.
  void SaveNPCFile() const { SaveNPCFile(kFileName); }
  void SaveNPCFile(const char* path) const;
  // Replaces the list by the file's contents. A file that cannot be opened (none
  // yet, or a folder of that name) gives an empty list and no message. On a
  // failure to read, the list is left as it was and the failure comes back with
  // the texts of LoadNPCFile's fatal report.
  [[nodiscard]] std::optional<RkFailure> TryLoadNPCFile(const char* path = kFileName);
  // TryLoadNPCFile, with a failure reported fatally.
  void LoadNPCFile() { LoadNPCFile(kFileName); }
  void LoadNPCFile(const char* path);
  // TryLoadNPCFile's reading, from a reader already open (on a file or on memory).
  [[nodiscard]] std::optional<RkFailure> TryReadNPCFile(RkBinaryReader& reader);

 private:
  static std::optional<RkFailure> ReadNPCs(RkBinaryReader& reader, std::vector<RkNPC>& loaded);
  const RkNPC* Find(const char* name) const;
  RkNPC* Find(const char* name);
  template <typename Operation>
  void ForEachNamed(const char* name, Operation operation);

  std::vector<RkNPC> npcs_;
};
