"""The Dynamics sub-tab of the Experiment tab: the tab widget of the
time-dependent protocols and of the experiments that are steered while the
simulation runs. Its fourteen pages stand in the order in which the saved
window state and the guided experiments address them by index: the four
drive protocols (dynamics_drive), then one page per experiment
(dynamics_experiments).
"""

from builder import page, tab_widget, vbox

import dynamics_drive
import dynamics_experiments


def dynamics_page():
    """experimentDynamicsPage, the third sub-tab ("Dynamics")."""
    tabs = tab_widget("timeDependentSubTabWidget", dynamics_drive.pages() + dynamics_experiments.pages(),
                      current=0, document_mode=True)
    return page("experimentDynamicsPage", vbox("experimentDynamicsLayout", [tabs], margins=4), title="Dynamics")
