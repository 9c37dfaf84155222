// Some NPCs of an ordered sequence, each with its place in it: those standing on
// one cell of a world, or those of one name in the NPC list. Every editing
// operation on NPCs changes only such a subset (SetNPC and RemoveNPCsAt the NPCs
// of one cell, the NPC list's operations the NPCs of one name), so an edit is
// taken back by putting the subset from before it in place of the one after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "RkNPC.h"

class RkNPCList;
class RkWorld;

class RkNPCSubset {
 public:
  struct Member {
    unsigned index;
    RkNPC npc;
  };

  static RkNPCSubset StandingOn(const RkWorld& world, int32_t x, int32_t y);
  static RkNPCSubset Named(const RkNPCList& list, const char* name);

  // Takes the members of `present` out (last place first) and puts this
  // subset's members in at their places (first place first): the sequence is
  // then what it was when this subset was taken, provided `present` was taken
  // after the one change between the two.
  void PutInPlaceOf(const RkNPCSubset& present, RkWorld& world) const;
  void PutInPlaceOf(const RkNPCSubset& present, RkNPCList& list) const;

  bool IsEmpty() const { return members.empty(); }
  const std::vector<Member>& GetMembers() const { return members; }
  bool operator==(const RkNPCSubset& other) const;
  bool operator!=(const RkNPCSubset& other) const { return !(*this == other); }
  // Roughly the memory the subset holds, for the edit history's budget.
  std::size_t GetByteSize() const;

 private:
  template <typename Sequence>
  void Exchange(const RkNPCSubset& present, Sequence& sequence) const;

  std::vector<Member> members;
};
