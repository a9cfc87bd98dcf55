// Draws the video decoder stand-in's picture into a bottom-up RGB32 frame:
// horizontal colour bands taken from the sample's bytes (so the stream shows),
// and on a dark box the decoder's letter and the frame number in large block
// digits (so a snapshot tells which decoder drew which frame).
#pragma once

#include <windows.h>

void PaintFrame(BYTE* frame, LONG stride, LONG width, LONG height, char letter, LONG number, const BYTE* payload,
                LONG payloadLength);
