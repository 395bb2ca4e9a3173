"""The Dynamics sub-tab of the Experiment tab: the tab widget of the
time-dependent protocols and of the experiments that are steered while the
simulation runs.

PLACEHOLDER: only the page exists so far; its contents are built here.
"""

from builder import page


def dynamics_page():
    """experimentDynamicsPage, the third sub-tab ("Dynamics")."""
    return page("experimentDynamicsPage", title="Dynamics")
