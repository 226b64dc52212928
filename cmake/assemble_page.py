"""Assembles one of the two one-file pages from its description: the web
card's page template (cmake/card_page.py) or the generator's page
(cmake/generator_page.py). Both are put together the same way, with
cmake/page_parts.py: sources minified, bytes packed, placeholders filled (an
unknown one stops the build), one policy, a limit on the page's size.

    python3 -m cmake.assemble_page card OPTIONS...
    python3 -m cmake.assemble_page generator OPTIONS...
"""

import argparse

from cmake import card_page, generator_page

DESCRIPTIONS = {'card': card_page, 'generator': generator_page}


def main():
    parser = argparse.ArgumentParser(prog='assemble_page', description=__doc__.split('\n\n')[0])
    pages = parser.add_subparsers(dest='which', required=True)
    for name, description in DESCRIPTIONS.items():
        description.options(pages.add_parser(name))
    args = parser.parse_args()
    DESCRIPTIONS[args.which].assemble(args)


if __name__ == '__main__':
    main()
