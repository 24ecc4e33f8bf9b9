// File errors: the path put in place of the text's %s as it stands, and the
// size rule every error text follows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/file_exception.h"
#include "framework/message_presenter.h"

namespace {

// Gives every text as "<id>: %s!", or none for missingId.
class FileTextPresenter : public MessagePresenter {
public:
    FileTextPresenter() { SetCurrentPresenter(this); }
    ~FileTextPresenter() override { SetCurrentPresenter(nullptr); }
    int ShowMessage(const std::string&, unsigned) override { return 1; }
    std::string LoadText(unsigned id) override
    {
        return id == missingId ? std::string() : std::to_string(id) + ": %s!";
    }
    unsigned missingId = 0;
};

}  // namespace

TEST(FileException, TextHoldsThePathAndIsCopiedOnlyWhenItFits)
{
    FileTextPresenter presenter;
    // printf directives in a path are ordinary characters.
    const std::string path = "C:\\data %s %d %%\\devmode0.bin";
    const CFileException e(CFileException::sharingViolation, path);
    const std::string text = std::to_string(IDS_FILE_SHARING_VIOLATION) + ": " + path + "!";

    char buffer[128];
    ASSERT_LT(text.size(), sizeof buffer);
    EXPECT_TRUE(e.GetErrorText(buffer, static_cast<unsigned>(text.size() + 1)));
    EXPECT_EQ(std::string(buffer), text);

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_FALSE(e.GetErrorText(buffer, static_cast<unsigned>(text.size())));
    EXPECT_EQ(buffer[0], '#');  // nothing copied

    // No text for the cause, or no program to ask: no text, so the generic
    // text is shown instead.
    presenter.missingId = IDS_FILE_SHARING_VIOLATION;
    EXPECT_FALSE(e.GetErrorText(buffer, sizeof buffer));
    SetCurrentPresenter(nullptr);
    EXPECT_FALSE(e.GetErrorText(buffer, sizeof buffer));
    EXPECT_EQ(buffer[0], '#');
}

TEST(FileException, OnlyTheFirstPlaceholderTakesThePath)
{
    EXPECT_EQ(InsertFileName("%s and %s", "a.bin"), "a.bin and %s");
    EXPECT_EQ(InsertFileName("no place for it", "a.bin"), "no place for it");
    EXPECT_EQ(InsertFileName("100%% of %s", "a.bin"), "100%% of a.bin");
}
