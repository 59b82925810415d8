// fretboard model
