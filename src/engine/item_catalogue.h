// The item record layout and the catalogue of item kinds the engine writes at start-up.
#pragma once

#include <cstdint>

inline constexpr uint32_t TraitFlagCount = 5;

// Fields in the game's order. The game* fields are written (with 0) by the catalogue and copied
// by CopyItem; the unwritten* fields are neither.
struct ItemRecord {
  uint8_t gameBytesA[2];
  uint16_t spriteSlot;  // SpriteBank slot of the item's picture
  uint32_t itemId;
  uint8_t gameByteB;
  uint16_t gameWordsA[2];
  uint8_t gameBytesC[2];
  uint8_t traitFlags[TraitFlagCount];  // each 0 or 1
  uint8_t category;
  uint8_t gameByteD;
  uint8_t weaponFlag;
  uint8_t grade;
  uint8_t gradeBonus;
  float gradeValue;  // grade as a float once an instance is made
  uint8_t gameBytesE[4];
  float factor;
  uint8_t gameBytesF[13];
  uint8_t unwrittenA[27];
  uint16_t gameWordB;
  uint16_t worth;
  uint16_t gameWordsC[4];
  uint8_t unwrittenB[24];
};
static_assert(sizeof(ItemRecord) == 116, "the item table holds 230,000 records in 26.68 million bytes");

// Writes row 0, then the 143 catalogue rows at their ids, into the ItemTable.
void FillItemCatalogue();
// Rows 10000 and 9000 to 9003, copied from catalogue rows.
void MakeItemInstances();
// Copies every written field of item record source into record destination, then sets the
// destination's gradeValue to its grade. Records outside the table are left alone.
void CopyItem(uint32_t destination, uint32_t source);
