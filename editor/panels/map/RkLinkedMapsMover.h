// The other maps of a folder name cells of a map by number in the start points of
// their links into it. When the map is saved after its cells moved (it grew to
// the left or upwards, or such a growth was undone), this asks whether those maps
// should follow, and rewrites each of them with its start points moved by the
// same amount. RkMapEditorActions::SaveMap calls it after a successful save.
//
// The rewrite is not a step of the map's history: it changes files on disk, as
// the save itself does, and like the save it is not taken back by Undo. Undoing
// the growth and saving again moves the cells back, and the same question then
// moves the other maps' start points back with them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "RkWorld.h"

class RkLinkedMapsMover {
 public:
  // Asks a question with these buttons; the index of the one chosen.
  using QuestionAsker =
      std::function<int(const std::string& text, const std::vector<std::string>& buttons, int escapeAnswer)>;
  using NoticeShower = std::function<void(const char* text)>;

  RkLinkedMapsMover(QuestionAsker askQuestion, NoticeShower showNotice);

  // world has just been saved as file. Offers the move when its cells moved
  // since it was loaded from or last saved as that same file.
  void AfterSave(const RkWorld& world, const std::string& file);

  // "3 maps lead into World.rkm: House.rkm, Grove.rkm, Cave.rkm. Move their
  // start points with it?"
  static std::string Question(const std::string& mapName, const std::vector<std::string>& maps);

 private:
  QuestionAsker askQuestion;
  NoticeShower showNotice;
};
