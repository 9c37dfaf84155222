// Subsets of NPCs by place: taking them from a world or the NPC list, and
// putting an earlier one back.
#include "RkNPCSubset.h"

#include <cstring>

#include "RkNPCList.h"
#include "RkWorld.h"

RkNPCSubset RkNPCSubset::StandingOn(const RkWorld& world, int32_t x, int32_t y) {
  RkNPCSubset subset;
  for (unsigned i = 0; i < world.GetNPCCount(); ++i) {
    const RkNPC& npc = world.GetNPC(i);
    if (npc.GetX() == x && npc.GetY() == y) subset.members.push_back({i, npc});
  }
  return subset;
}

RkNPCSubset RkNPCSubset::Named(const RkNPCList& list, const char* name) {
  RkNPCSubset subset;
  for (unsigned i = 0; i < list.GetCount(); ++i) {
    const RkNPC& npc = list.GetNPC(i);
    if (std::strcmp(npc.GetName(), name) == 0) subset.members.push_back({i, npc});
  }
  return subset;
}

template <typename Sequence>
void RkNPCSubset::Exchange(const RkNPCSubset& present, Sequence& sequence) const {
  for (auto member = present.members.rbegin(); member != present.members.rend(); ++member) {
    sequence.EraseNPC(member->index);
  }
  for (const Member& member : members) {
    sequence.InsertNPC(member.index, member.npc);
  }
}

void RkNPCSubset::PutInPlaceOf(const RkNPCSubset& present, RkWorld& world) const { Exchange(present, world); }

void RkNPCSubset::PutInPlaceOf(const RkNPCSubset& present, RkNPCList& list) const { Exchange(present, list); }

bool RkNPCSubset::operator==(const RkNPCSubset& other) const {
  if (members.size() != other.members.size()) return false;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i].index != other.members[i].index || members[i].npc != other.members[i].npc) return false;
  }
  return true;
}

std::size_t RkNPCSubset::GetByteSize() const {
  std::size_t bytes = sizeof(RkNPCSubset) + members.capacity() * sizeof(Member);
  for (const Member& member : members) {
    const RkNPC& npc = member.npc;
    bytes += std::strlen(npc.GetName()) + std::strlen(npc.GetImageFile());
    for (unsigned d = 0; d < npc.GetDialogueCount(); ++d) {
      const int32_t id = npc.GetDialogueID(d);
      bytes += sizeof(RkDialogue) + std::strlen(npc.GetDialogueText(d));
      for (unsigned r = 0; r < npc.GetResponseCount(id); ++r) {
        bytes += sizeof(RkText) + std::strlen(npc.GetResponseText(id, r));
      }
    }
  }
  return bytes;
}
