// Turns the map document's edits between a press of the left button and its
// release into one step of the map's history. The document says just before it
// changes a cell, the NPCs of a cell or the size of the grid; the recorder takes
// what is there, and the state after one edit is read when the next one begins
// (or the stroke ends), since nothing else changes the world in between. A
// stroke that changed nothing makes no step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RkStrokeStep.h"

class RkEditHistory;
class RkMapState;

class RkStrokeRecorder {
 public:
  RkStrokeRecorder(RkMapState& state, RkEditHistory& history);
  RkStrokeRecorder(const RkStrokeRecorder&) = delete;
  RkStrokeRecorder& operator=(const RkStrokeRecorder&) = delete;

  // The button went down on the canvas: before the stroke's first click.
  void BeginStroke();
  // The button went up (or a box took it): the stroke becomes one step.
  void EndStroke();

  // Called by the document right before each edit, in map cells. An edit outside
  // a stroke begins one.
  void CellWillChange(int32_t x, int32_t y);
  void NPCsWillChange(int32_t x, int32_t y);
  void WorldWillGrow(int32_t x, int32_t y);
  // The cells of the batch (all in the grid, each changing) are about to be
  // set; the recorder keeps the batch and what the cells hold now, and hands
  // the kept batch back for the document to apply.
  const RkCellBatch& CellsWillChange(RkCellBatch batch);

  // What the Edit menu calls a stroke of these edits.
  static std::string Describe(const std::vector<RkStrokeStep::Edit>& edits);

 private:
  void CompleteLastEdit();
  RkStrokeStep::View CurrentView() const;
  static std::string DescribeNPCs(const std::vector<RkStrokeStep::Edit>& edits);
  static std::string DescribeCells(const std::vector<RkStrokeStep::Edit>& edits);

  RkMapState& state;
  RkEditHistory& history;
  bool inStroke = false;
  RkStrokeStep::View viewBefore{};
  std::vector<RkStrokeStep::Edit> edits;
};
