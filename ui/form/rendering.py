"""The Rendering tab of the controls dock.

PLACEHOLDER: only the page exists so far; its contents are built here.
"""

from builder import page


def rendering_tab():
    """renderingTab, the fourth controls tab ("Rendering")."""
    return page("renderingTab", title="Rendering")
