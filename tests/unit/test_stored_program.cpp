// examples/programs/stored.s, the stored program as assembly, assembles to
// exactly the ROM bytes of the stock circuit, word for word.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "isa.h"
#include "pipeline.h"

TEST(StoredProgram, AssemblesToTheRomWords) {
    std::ifstream in(KORVAX_SOURCE_DIR "/examples/programs/stored.s");
    ASSERT_TRUE(in) << "examples/programs/stored.s";
    std::ostringstream text;
    text << in.rdbuf();
    pipeline::Assembly a = pipeline::assemble(text.str());
    ASSERT_TRUE(a.ok) << a.errorLine << ": " << a.error;
    a.words.resize(64, 0);
    int nonZero = 0;
    for (int w = 0; w < 64; w++) {
        const int rom = pipeline::storedProgram[2 * w] << 8 | pipeline::storedProgram[2 * w + 1];
        EXPECT_EQ(a.words[w], rom) << "word " << w;
        nonZero += rom != 0;
    }
    EXPECT_EQ(nonZero, 12);  // six setlo, the load, four adds and word 32
}
