// The simple DaVis format holds no validity: the window asks whether its
// null vectors are to be read as invalid.
#include <QFile>

#include "UiTestSupport.h"
#include "VecWriter.h"

using namespace sx;

namespace {

class NullVectorQuestion : public UiTest {
protected:
    // 4 x 3 nodes, two of them null vectors, in the simple format.
    QString WriteSimpleVec() {
        VectorDocument d;
        d.Resize(4, 3);
        d.Header.PixelsPerCm = 100;
        d.Header.TimeInterval = 100;
        for (int i = 1; i <= 4; ++i) d.PosX(i) = 1.6 * i;
        for (int j = 1; j <= 3; ++j) d.PosY(j) = 1.6 * (4 - j);
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 3; ++j) {
                d.U(i, j) = 1.0 + i;
                d.V(i, j) = 0.5;
                d.Status(i, j) = StatusValid;
            }
        d.Status(2, 2) = StatusInvalid;  // written as null vectors
        d.Status(4, 1) = StatusInvalid;
        const std::string bytes = VecBytes(d, 2);
        QFile f(TempPath("einfach.vec"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return f.fileName();
    }
};

}  // namespace

TEST_F(NullVectorQuestion, YesReadsNullVectorsAsInvalid) {
    const QString path = WriteSimpleVec();
    user.Answer(MsgAnswer::Yes);
    frmVectorTable *w = Open(path);
    ASSERT_TRUE(w);
    ASSERT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked[0].message.title, "Datei enthält Null-Vektoren");
    EXPECT_EQ(user.asked[0].message.buttons, MsgButtons::YesNo);
    EXPECT_EQ(user.asked[0].message.icon, MsgIcon::Question);
    EXPECT_EQ(w->doc.Status(2, 2), StatusInvalid);
    EXPECT_EQ(w->doc.Status(4, 1), StatusInvalid);
    EXPECT_EQ(w->doc.Status(1, 1), StatusValid);
    EXPECT_EQ(w->doc.ValidCount, 10);
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(NullVectorQuestion, NoKeepsThemValid) {
    const QString path = WriteSimpleVec();
    user.Answer(MsgAnswer::No);
    frmVectorTable *w = Open(path);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->doc.Status(2, 2), StatusValid);
    EXPECT_EQ(w->doc.ValidCount, 12);
}
