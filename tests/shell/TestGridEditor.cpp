#include "shell/GridEditor.h"

#include <QUndoStack>
#include <QtTest>

class TestGridEditor : public QObject
{
    Q_OBJECT

private slots:
    void undoKeepsTheNewestThousandSteps();
};

void TestGridEditor::undoKeepsTheNewestThousandSteps()
{
    MatrixState m, afterFive;
    GridEditor editor(m);
    const int steps = GridEditor::UndoLimit + 5;
    for (int i = 0; i < steps; ++i) {
        editor.toggleCell(i % 64 / 8, i % 8);
        if (i == 4)
            afterFive = m;
    }
    int undone = 0;
    for (; editor.undoStack()->canUndo(); ++undone)
        editor.undo();
    QCOMPARE(undone, GridEditor::UndoLimit);
    QVERIFY(m.snapshot() == afterFive.snapshot());
}

QTEST_GUILESS_MAIN(TestGridEditor)
#include "TestGridEditor.moc"
