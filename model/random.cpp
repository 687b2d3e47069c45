#include "model/random.h"

RandomWord randomWord;

void SeedRandomWord(uint32_t counter)
{
    randomWord.word.store(-static_cast<int32_t>(counter & 0x0FFFFFFFu), std::memory_order_relaxed);
}

float Lcg() { return 0.0f; }
float ShuffledUniform() { return 0.5f; }
void ResetShuffledUniform() {}
