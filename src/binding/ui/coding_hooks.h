#pragma once

class TVDRadioGroup;
class TVDTrackBar;
struct TPositionCoding;

// The load and store hooks of a row's `.Coding`, which the page builder attaches; a page
// that needs more than the coding replaces them with its own.
void AttachCoding(TVDTrackBar& bar, const TPositionCoding& coding);
void AttachCoding(TVDRadioGroup& group, const TPositionCoding& coding);
