"""What the build steps, the tests and the commands in tools/ share: the
Wine sessions on virtual displays (wine), their pictures (pictures), the
headless browsers (browsers), the check for 32-bit x86 (i386_probe), the
readers and writers of the formats they handle (pe, png) and the card
file's numbers (card_layout). Imported from the repository's root, which
every command and test runs from."""
