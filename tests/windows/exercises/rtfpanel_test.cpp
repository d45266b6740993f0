// A document with formulae, colours, a table and a picture, shown in a text panel as the main
// window's: checked on the pixels. With ALAMBIX_SCREENSHOT=FILE.png the panel is saved there.
#include "richtext/rtfreader.h"
#include "support/rtfsamples.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>
#include <QTextEdit>

using namespace rtfsamples;

namespace {
QByteArray exercise() {
    QImage flask(120, 120, QImage::Format_RGB32);
    flask.fill(Qt::white);
    QPainter painter(&flask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 3));
    painter.setBrush(QColor(220, 0, 0));
    painter.drawEllipse(20, 40, 80, 75);
    painter.drawRect(50, 5, 20, 40);
    painter.end();
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 "
           "Arial;}{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl ;\\red0\\green0\\blue200;\\red200"
           "\\green0\\blue0;}\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\fs36 "
           "Est\\'e9rification\\cf0\\b0\\fs22"
           "\\par\\pard\\li200\\sa120 On chauffe \\'e0 reflux l'acide ac\\'e9tique CH\\sub 3"
           "\\nosupersub COOH avec l'\\'e9thanol C\\sub 2\\nosupersub H\\sub 5\\nosupersub OH en "
           "pr\\'e9sence d'ions H\\super +\\nosupersub  :\\par\\pard\\qc CH\\sub 3\\nosupersub "
           "COOH + C\\sub 2\\nosupersub H\\sub 5\\nosupersub OH {\\f1 \\'db} {\\cf2 CH\\sub 3"
           "\\nosupersub COOC\\sub 2\\nosupersub H\\sub 5\\nosupersub } + H\\sub 2\\nosupersub O"
           "\\par\\pard\\sa120\\par\\trowd\\trgaph108\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brd"
           "rs"
           "\\clbrdrr\\brdrs\\cellx2500\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr"
           "\\brdrs\\cellx5000\\pard\\intbl\\b Esp\\'e8ce\\b0\\cell\\b T\\sub \\'e9b\\nosupersub  "
           "(\\'b0C)\\b0\\cell\\row\\trowd\\cellx2500\\cellx5000\\pard\\intbl \\'e9thanol\\cell 78"
           "\\cell\\row\\trowd\\cellx2500\\cellx5000\\pard\\intbl\\cf2 ac\\'e9tate d'\\'e9thyle"
           "\\cf0\\cell 77\\cell\\row\\pard\\par\\pard\\qc{\\*\\shppict{\\pict\\pngblip\\picw120"
           "\\pich120\\picwgoal1800\\pichgoal1800 " +
           encoded(flask, "PNG").toHex() +
           "}}{\\nonshppict{\\pict\\wmetafile8 0000}}\\par Rendement: {\\f1 h} = 67 %\\par}";
}

int count(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 &&
                std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    return n;
}
} // namespace

class RtfPanelTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheDocument();
};

void RtfPanelTest::showsTheDocument() {
    QTextEdit panel; // the size of the main window's panel: 5415 x 5370 twips
    panel.setReadOnly(true);
    panel.resize(361, 358 + 200);
    QBuffer buffer;
    buffer.setData(exercise());
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(alambix::readRtf(buffer, *panel.document()), alambix::RtfReadError::None);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    const QImage shot = panel.grab().toImage();
    if (qEnvironmentVariableIsSet("ALAMBIX_SCREENSHOT"))
        shot.save(qEnvironmentVariable("ALAMBIX_SCREENSHOT"));
    QVERIFY(panel.toPlainText().contains(u"⇔"));
    QVERIFY2(count(shot, QColor(0, 0, 200)) > 100, "blue title");
    QVERIFY2(count(shot, QColor(200, 0, 0)) > 2000, "red text and the picture's flask");
    QVERIFY2(count(shot, Qt::black) > 300, "text and table borders");
}

QTEST_MAIN(RtfPanelTest)
#include "rtfpanel_test.moc"
