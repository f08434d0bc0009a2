#include "EditTestSupport.h"

#include "support/HostileFiles.h"

// Saving onto a disk that fills up: the old file stays, the list stays unsaved and the user is
// told, instead of "saved" over a cut or empty file.
TEST_F(EditWindowTest, SaveOntoAFullDiskKeepsTheOldFileAndTellsTheUser) {
    const QByteArray two = record("Q1", "A1", '1') + record("Q2", "A2", '2');
    writeFile("old.znd", two);
    load("old.znd");
    enterRecord("Q3?", "A3", "3");
    fake.messages.clear();
    {
        FileSizeLimit limit(16);
        menu(3);
    }
    EXPECT_EQ(readFile("old.znd"), two);
    EXPECT_EQ(std::pair(fake.messages.value(0).title, fake.messages.value(0).text),
              std::pair(LoadResString(TitleWriteError), LoadResString(TextFileNotSaved)));
    EXPECT_TRUE(!ed->SavedFlag && status() != LoadResString(66));
    menu(3);
    EXPECT_EQ(readFile("old.znd"), two + record("Q3?", "A3", '3'));
}
